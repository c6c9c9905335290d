// The virtual-key codes and low-level key event bits the hook library
// decides on, spelled out so the portable code needs no <windows.h>.
#pragma once
#include <cstdint>

constexpr std::uint32_t kVkBack = 0x08;
constexpr std::uint32_t kVkShift = 0x10;
constexpr std::uint32_t kVkControl = 0x11;
constexpr std::uint32_t kVkMenu = 0x12;  // ALT
constexpr std::uint32_t kVkCapital = 0x14;
constexpr std::uint32_t kVkDelete = 0x2E;
constexpr std::uint32_t kVkLeftWindows = 0x5B;
constexpr std::uint32_t kVkRightWindows = 0x5C;
constexpr std::uint32_t kVkNumpad0 = 0x60;
constexpr std::uint32_t kVkNumpad9 = 0x69;
constexpr std::uint32_t kVkF1 = 0x70;
constexpr std::uint32_t kVkF2 = 0x71;
constexpr std::uint32_t kVkF10 = 0x79;
constexpr std::uint32_t kVkScroll = 0x91;
constexpr std::uint32_t kVkLeftShift = 0xA0;
constexpr std::uint32_t kVkRightShift = 0xA1;
constexpr std::uint32_t kVkLeftControl = 0xA2;
constexpr std::uint32_t kVkRightControl = 0xA3;
constexpr std::uint32_t kVkLeftMenu = 0xA4;
constexpr std::uint32_t kVkRightMenu = 0xA5;
// What a character typed as itself (SendInput with KEYEVENTF_UNICODE) is
// reported as.
constexpr std::uint32_t kVkPacket = 0xE7;
// The watchdog's probe: no key has this code, and the hook swallows it.
constexpr std::uint32_t kVkProbe = 0xFF;

// The window messages of a low-level key event (its wParam).
constexpr std::uint32_t kMsgKeyDown = 0x100;
constexpr std::uint32_t kMsgKeyUp = 0x101;
constexpr std::uint32_t kMsgSysKeyDown = 0x104;
constexpr std::uint32_t kMsgSysKeyUp = 0x105;

// The platform's KBDLLHOOKSTRUCT, field for field.
struct LowLevelKey {
  std::uint32_t vk;
  std::uint32_t scan;
  std::uint32_t flags;
  std::uint32_t time;
  std::uintptr_t extra;
};
constexpr std::uint32_t kLowLevelExtended = 0x01;
constexpr std::uint32_t kLowLevelInjected = 0x10;
constexpr std::uint32_t kLowLevelAltDown = 0x20;
constexpr std::uint32_t kLowLevelUp = 0x80;

// The scan code of the keys the send functions type.
constexpr std::uint32_t kTypedBackScan = 0;
