// The screensaver's settings dialog, built in memory (the program carries no resource file):
// the resolution and the drift speed of the preferences file, OK and Cancel.
#include "app/preferences.h"
#include "app/saver/windows/windowsSaver.h"
#include "record/displayState.h"
#include "util/numberText.h"

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

const WORD widthField = 101;
const WORD heightField = 102;
const WORD speedField = 103;

// Standard control classes by their atoms.
const WORD buttonClass = 0x0080;
const WORD editClass = 0x0081;
const WORD staticClass = 0x0082;

// A dialog template is a run of 16-bit words, its items aligned to 32 bits.
struct DialogTemplate {
    std::vector<WORD> words;
};

void addWord(DialogTemplate* dialog, WORD value) {
    dialog->words.push_back(value);
}

void addDoubleWord(DialogTemplate* dialog, DWORD value) {
    addWord(dialog, LOWORD(value));
    addWord(dialog, HIWORD(value));
}

void addText(DialogTemplate* dialog, const char* text) {
    for (; *text != '\0'; ++text) {
        addWord(dialog, static_cast<WORD>(static_cast<unsigned char>(*text)));
    }
    addWord(dialog, 0);
}

void addItem(DialogTemplate* dialog, WORD atom, const char* text, WORD id, DWORD style, short x,
             short y, short width, short height) {
    if (dialog->words.size() % 2 != 0) {
        addWord(dialog, 0);
    }
    addDoubleWord(dialog, style | WS_CHILD | WS_VISIBLE);
    addDoubleWord(dialog, 0);
    for (short value : {x, y, width, height}) {
        addWord(dialog, static_cast<WORD>(value));
    }
    addWord(dialog, id);
    addWord(dialog, 0xFFFF);
    addWord(dialog, atom);
    addText(dialog, text);
    addWord(dialog, 0); // no creation data
}

DialogTemplate settingsTemplate() {
    DialogTemplate dialog;
    addDoubleWord(&dialog,
                  DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    addDoubleWord(&dialog, 0);
    addWord(&dialog, 9); // items
    for (short value : {0, 0, 168, 70}) {
        addWord(&dialog, static_cast<WORD>(value));
    }
    addWord(&dialog, 0); // no menu
    addWord(&dialog, 0); // the standard dialog class
    addText(&dialog, "Quarnel settings");
    addWord(&dialog, 8);
    addText(&dialog, "MS Shell Dlg");
    const DWORD field = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    addItem(&dialog, staticClass, "&Resolution:", 0xFFFF, SS_LEFT, 7, 9, 48, 8);
    addItem(&dialog, editClass, "", widthField, field | ES_NUMBER, 58, 7, 36, 12);
    addItem(&dialog, staticClass, "x", 0xFFFF, SS_CENTER, 94, 9, 10, 8);
    addItem(&dialog, editClass, "", heightField, field | ES_NUMBER, 104, 7, 36, 12);
    addItem(&dialog, staticClass, "&Drift speed:", 0xFFFF, SS_LEFT, 7, 27, 48, 8);
    addItem(&dialog, editClass, "", speedField, field, 58, 25, 36, 12);
    addItem(&dialog, staticClass, "0 to 1000", 0xFFFF, SS_LEFT, 98, 27, 60, 8);
    addItem(&dialog, buttonClass, "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 58, 48, 48, 14);
    addItem(&dialog, buttonClass, "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 112, 48, 48, 14);
    return dialog;
}

void showPreferences(HWND dialog) {
    loadPreferences();
    SetDlgItemInt(dialog, widthField, static_cast<UINT>(display.screenWidth), TRUE);
    SetDlgItemInt(dialog, heightField, static_cast<UINT>(display.screenHeight), TRUE);
    char speed[32];
    std::snprintf(speed, sizeof speed, "%g", static_cast<double>(speedPreference));
    SetDlgItemTextA(dialog, speedField, speed);
}

// False, with the dialog kept open and the person told why, when a value is out of range or the
// file cannot be written.
bool savePreferencesFrom(HWND dialog) {
    BOOL widthRead = FALSE;
    BOOL heightRead = FALSE;
    const int width = static_cast<int>(GetDlgItemInt(dialog, widthField, &widthRead, TRUE));
    const int height = static_cast<int>(GetDlgItemInt(dialog, heightField, &heightRead, TRUE));
    char text[64] = {};
    GetDlgItemTextA(dialog, speedField, text, sizeof text);
    float speed = 0;
    const bool speedRead = readReal(text, -FLT_MAX, FLT_MAX, &speed);
    if (!widthRead || !heightRead || !speedRead || !validPreferences(width, height, speed)) {
        MessageBoxA(dialog,
                    "The resolution must be 1 to 16384 pixels each way, and the drift speed a "
                    "number from 0 to 1000.",
                    "Quarnel settings", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!savePreferences(width, height, speed)) {
        char message[MAX_PATH + 64];
        std::snprintf(message, sizeof message, "The settings could not be written to %s.",
                      preferencesPath);
        MessageBoxA(dialog, message, "Quarnel settings", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

INT_PTR CALLBACK settingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        showPreferences(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        const WORD command = LOWORD(wParam);
        if (command == IDOK && savePreferencesFrom(dialog)) {
            EndDialog(dialog, IDOK);
        } else if (command == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    return FALSE;
}

} // namespace

int runWindowsSettings(HINSTANCE instance, HWND owner) {
    if (owner != nullptr && !IsWindow(owner)) {
        owner = nullptr; // the dialog is still wanted, just not tied to a window that is gone
    }
    DialogTemplate dialog = settingsTemplate();
    const INT_PTR result = DialogBoxIndirectParamA(
        instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.words.data()), owner, settingsProc, 0);
    if (result == -1) {
        std::fprintf(stderr, "quarnel: the settings dialog could not be shown\n");
        return 1;
    }
    return 0;
}
