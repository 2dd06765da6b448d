#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/limits.h"

namespace rs::device {

// Device numbers from 8000 up are the controller's special range (M8000,
// D8000 ...): the address rule and the code words place them apart from the
// ordinary devices below.
constexpr int kFirstSpecialNumber = 8000;
constexpr bool isSpecialNumber(long long number) {
    return number >= kFirstSpecialNumber;
}

// X and Y numbers count in octal and are written with octal digits: X017 is
// the fifteenth input. The value of such a number read as decimal digits
// (the hundreds, tens and units digits; a thousands digit is ignored, an 8 or
// 9 taken as its value), and the decimal number whose digits write a value.
constexpr int octalValue(int writtenDigits) {
    return writtenDigits / 100 % 10 * 64 + writtenDigits / 10 % 10 * 8 + writtenDigits % 10;
}
constexpr int octalDigits(int value) {
    return value / 64 * 100 + value / 8 % 8 * 10 + value % 8;
}
constexpr bool isOctalLetter(char letter) {
    return letter == 'X' || letter == 'Y';
}
// The devices whose data are bits: S, M, X, Y, and the contacts of the
// timers T and the counters C.
constexpr bool isBitLetter(char letter) {
    return letter == 'X' || letter == 'Y' || letter == 'M' || letter == 'S' || letter == 'T' ||
           letter == 'C';
}
// True when a number written for an X or Y device has a digit 8 or 9.
bool hasNonOctalDigit(long long writtenDigits);

// One operand word of the program, read once: a device (letter and number),
// a group of bits named by its digit count (K1Y000 ... K4M0: the letter and
// number of its first bit), or a constant (K decimal, H hexadecimal).
struct DeviceRef {
    enum class Kind : uint8_t { Device, Group, Constant };
    Kind kind = Kind::Device;
    char letter = 0;       // the device letter; K or H for a constant
    long long number = 0;  // as written: X and Y numbers in their octal digits
    int groupDigits = 0;   // a group's digit count, 4 bits each
    int32_t value = 0;     // a constant's value
    int digitsRead = 0;    // how many digits the number was read from

    bool operator==(const DeviceRef&) const = default;
};

// How a device text is read. Each reader of device texts keeps the reading
// its files and frames were written with:
//   - `maxDigits`: digits read after the letter; reading stops there and at
//     the first character that is no digit.
//   - `wholeText`: the text must be the letter and 1 to maxDigits digits,
//     nothing before or after; otherwise it names no device.
//   - `leadingBlank`: one blank before the letter is passed over (operand
//     pieces cut from a line keep the blank that stood before them).
//   - `octalWhereverXY`: an X or Y anywhere in the text makes the number the
//     value of at most three octal digits after the first character,
//     whatever that character is (the code encoder has always read operands
//     so; K4Y000 reads as K and 4).
struct DeviceSyntax {
    int maxDigits = 4;
    bool wholeText = false;
    bool leadingBlank = false;
    bool octalWhereverXY = false;
};

// The controller's address rule and the scan engine: four digits, stopping
// at the first character that is no digit.
inline constexpr DeviceSyntax kAddressSyntax{};
// The batch monitor's starting device: five digits.
inline constexpr DeviceSyntax kMonitorSyntax{.maxDigits = 5};
// An operand the scan engine resolves: the letter and one to four digits.
inline constexpr DeviceSyntax kStrictSyntax{.maxDigits = 4, .wholeText = true};
// The device range check: the letter and every digit after it, as many as a
// device text holds.
inline constexpr DeviceSyntax kRangeSyntax{.maxDigits = kMaxDeviceText, .wholeText = true};
// The code encoder's operand pieces.
inline constexpr DeviceSyntax kEncoderSyntax{.leadingBlank = true, .octalWhereverXY = true};

// Reads a device text: the letter is its first character (after a blank the
// syntax passes over), the number follows. Empty for an empty text, and for
// a text the syntax refuses.
std::optional<DeviceRef> parseDevice(std::string_view text, const DeviceSyntax& syntax);

// A group of bits: K, one digit, a letter and the first bit's number in the
// syntax (K4M0, K2Y010). Empty when the text is not of that shape; the digit
// count and the letter are not checked here.
bool hasGroupShape(std::string_view text);
std::optional<DeviceRef> parseGroup(std::string_view text, const DeviceSyntax& syntax);

// The digits of a constant word: K with an optional minus sign and decimal
// digits, or H with hexadecimal digits; upper- or lower-case letter when
// `anyCase`. Empty when the word is no constant.
std::optional<std::string_view> constantDigits(std::string_view word, bool anyCase);

// A 16-bit constant: K -32768 to 32767 in at most five digits, or H with at
// most four hexadecimal digits (read as a signed 16-bit word).
std::optional<DeviceRef> parseConstant(std::string_view word);

// The leading letters of a word and the digits right after them; `rest` is
// whatever follows the digits (D10Z: "D", "10", "Z").
struct DeviceWord {
    std::string_view letters;
    std::string_view digits;
    std::string_view rest;
};
DeviceWord splitDeviceWord(std::string_view word);

// Digits with their leading zeros dropped, one zero kept ("007" gives "7",
// "000" gives "0").
std::string_view withoutLeadingZeros(std::string_view digits);

// How a device text writes its number: as the program writes it (X and Y
// with three digits), or bare, with no leading zeros for any letter (a
// mode-1 upload names the devices it reads so: X7, Y2).
enum class NumberForm : uint8_t { Program, Bare };

// A device as the program writes it: X and Y with three digits (X007), the
// other letters with the number as it is (M8000, D0).
std::string deviceText(char letter, long long number, NumberForm form = NumberForm::Program);

}  // namespace rs::device
