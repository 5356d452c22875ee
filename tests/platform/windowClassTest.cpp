// Class atoms: a pointer below 0x10000 names a class only when RegisterClassA handed it out,
// so that a WebAssembly program, whose strings live at such addresses, can name its classes.
#include "platformFixture.h"

#include <cstdint>

using WindowClassTest = PlatformTest;

namespace {

HWND createByName(LPCSTR className) {
    return CreateWindowExA(0, className, "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

ATOM registerClass(LPCSTR className) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = recordingProc;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass);
}

} // namespace

TEST_F(WindowClassTest, OnlyHandedOutAtomsNameAClass) {
    const ATOM first = registerClass("Mallards");
    const ATOM second = registerClass("Teals");
    ASSERT_NE(first, 0);
    ASSERT_EQ(second, first + 1);
    EXPECT_NE(createByName(MAKEINTATOM(first)), nullptr);
    EXPECT_NE(createByName(MAKEINTATOM(second)), nullptr);
    EXPECT_EQ(createByName(MAKEINTATOM(second + 1)), nullptr) << "not handed out yet";
    EXPECT_EQ(createByName(MAKEINTATOM(1)), nullptr);
    EXPECT_EQ(createByName(MAKEINTATOM(0xFFFF)), nullptr);
    EXPECT_EQ(registerClass(MAKEINTATOM(first)), 0) << "an atom is no name to register";

    headlessReset();
    EXPECT_EQ(createByName(MAKEINTATOM(first)), nullptr) << "atoms end with their classes";
    EXPECT_EQ(registerClass("Wigeons"), first) << "numbering starts again";
    EXPECT_NE(createByName(MAKEINTATOM(first)), nullptr);
    EXPECT_NE(createByName("WIGEONS"), nullptr);
}

// Where the program's strings live below 64 KiB (WebAssembly), they are names, not atoms.
TEST_F(WindowClassTest, NamesAtLowAddressesAreNames) {
    static const char lowName[] = "Garganeys";
    if (reinterpret_cast<uintptr_t>(lowName) >= 0x10000) {
        GTEST_SKIP() << "this machine keeps no strings below 64 KiB";
    }
    const ATOM atom = registerClass(lowName);
    ASSERT_NE(atom, 0) << "a name at " << static_cast<const void*>(lowName);
    EXPECT_NE(reinterpret_cast<uintptr_t>(lowName), atom);
    EXPECT_NE(createByName(lowName), nullptr);
    EXPECT_NE(createByName("garganeys"), nullptr);
    EXPECT_NE(createByName(MAKEINTATOM(atom)), nullptr);
}
