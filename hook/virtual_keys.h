// The virtual-key codes and key message bits the hook library decides on,
// spelled out so the portable code needs no <windows.h>.
#pragma once
#include <cstdint>

constexpr std::uint32_t kVkBack = 0x08;
constexpr std::uint32_t kVkShift = 0x10;
constexpr std::uint32_t kVkControl = 0x11;
constexpr std::uint32_t kVkMenu = 0x12;  // ALT
constexpr std::uint32_t kVkCapital = 0x14;
constexpr std::uint32_t kVkDelete = 0x2E;
constexpr std::uint32_t kVkNumpad0 = 0x60;
constexpr std::uint32_t kVkNumpad9 = 0x69;
constexpr std::uint32_t kVkF1 = 0x70;
constexpr std::uint32_t kVkF2 = 0x71;
constexpr std::uint32_t kVkScroll = 0x91;
// What a character typed as itself (SendInput with KEYEVENTF_UNICODE) is
// reported as.
constexpr std::uint32_t kVkPacket = 0xE7;

// Bits of a key message's lParam.
constexpr std::uint32_t kKeyScanShift = 16;     // bits 16-23: scan code
constexpr std::uint32_t kKeyExtended = 1u << 24;
constexpr std::uint32_t kKeyAltHeld = 1u << 29;
constexpr std::uint32_t kKeyWasDown = 1u << 30;  // auto-repeat press, and every release
constexpr std::uint32_t kKeyReleased = 1u << 31;

// The scan code of every key SendKeysKE types back; no physical key has it.
// The focused program takes those keys from its queue after the send, when
// the main program has set the hook again, and the hook knows its own keys
// by it (the extra information of keybd_event does not reach the hook
// reliably: Wine's GetMessageExtraInfo can still hold an earlier key's).
constexpr std::uint32_t kTypedBackScan = 0;

// The last key of every batch typed back (with the typed-back scan code):
// when the hook sees it, the program has taken all the glyphs for a key.
// 0xFF is no key's code.
constexpr std::uint32_t kVkTypedBackEnd = 0xFF;

// Key messages a journal playback record carries.
constexpr std::uint32_t kMsgKeyDown = 0x100;
constexpr std::uint32_t kMsgKeyUp = 0x101;
constexpr std::uint32_t kMsgSysKeyDown = 0x104;
constexpr std::uint32_t kMsgSysKeyUp = 0x105;
