// Where the demonstration keeps its files when a desktop menu starts it (quarnel --desktop, from
// the .desktop file): its working folder is then the home folder, where nobody wants a
// prefs.txt or screenshots. The XDG base and user folders say where they go instead.
#pragma once

#include <string>

// $XDG_CONFIG_HOME/quarnel, or ~/.config/quarnel when XDG_CONFIG_HOME is unset, empty or not
// an absolute path; "" when there is no home folder either.
std::string desktopConfigFolder();

// XDG_PICTURES_DIR as user-dirs.dirs in the XDG configuration folder gives it
// ("$HOME/Pictures" or an absolute path), or else ~/Pictures; "" without a home folder.
std::string desktopPicturesFolder();

// Moves preferencesPath to desktopConfigFolder()/prefs.txt, making the folder, and the
// screenshots to desktopPicturesFolder(). False, with one line on standard error and nothing
// moved, when the configuration folder cannot be had.
bool useDesktopFolders();
