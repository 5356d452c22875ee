# Looking at an X screen in the test scripts: `source scripts/lib/screen.sh` (ImageMagick).
#
# litFraction AREA FILE: the share of the root window's area AREA (WxH+X+Y; empty for all of
# it) that is not black, its screenshot kept in FILE. isLit FRACTION: whether that shows a
# picture. waitLit AREA FILE: waits up to 30 s for the area to light up; prints the last share.

litFraction() { # area file
    if [ -n "$1" ]; then
        import -window root -crop "$1" +repage "$2"
    else
        import -window root "$2"
    fi
    convert "$2" -fill white +opaque black -format "%[fx:mean]" info:
}

isLit() { awk -v f="$1" 'BEGIN { exit !(f > 0.001) }'; }

waitLit() { # area file
    local lit=0
    for _ in $(seq 60); do
        lit=$(litFraction "$1" "$2")
        isLit "$lit" && break
        sleep 0.5
    done
    echo "$lit"
}
