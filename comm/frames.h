#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// The frames of the serial dialects: mode 1 (":" station 01, function 06 or 03,
// two's-complement check, CR LF) and mode 2 (STX/ETX with ENQ/ACK handshake,
// blocks of up to 32 words, an 8-bit sum as two hex digits).
namespace rs::frame {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t STX = 0x02;
constexpr uint8_t ETX = 0x03;
constexpr uint8_t ENQ = 0x05;
constexpr uint8_t ACK = 0x06;
constexpr uint8_t CR = 0x0D;
constexpr uint8_t LF = 0x0A;

constexpr int kWordWriteLength = 17;             // mode-1 word write, and its echo
constexpr int kWordReadLength = 16;              // mode-1 word read
constexpr int kWordReplyLength = 8;              // STX, four digits, ETX, two check digits
constexpr int kStatusReplyLength = 8;            // mode-2 status reply
constexpr uint32_t kWordBaseAddress = 15000;     // mode-1 register of code word 0
constexpr uint32_t kBlockBaseAddress = 0x1805C;  // mode-2 byte address of code word 0
constexpr int kBlockWords = 32;
constexpr int kCodeReadLength = 13;  // mode-2 program read: STX "E0", address, count, ETX, sum

// Appends value as `digits` upper-case hex digits, high digit first.
void appendHex(Bytes& out, uint32_t value, int digits);

// Mode-1 check: two's complement of the byte sum of station 01, function,
// address and data.
uint8_t mode1Check(uint8_t function, uint16_t address, uint16_t data);

// Mode-2 sum: the 8-bit sum of the bytes after the first one up to and
// including the third-last, written as two hex digits into the last two
// bytes. A one-byte frame (ENQ) carries none.
void applyMode2Sum(Bytes& frame);

// Whether a code word travels as four plain hex digits: words from 0xE000,
// the word after a constant marker (0xF0FC, 0xF0FD) or after 0xF009, and the
// word two after 0xF000, 0xF001 or 0xF009. prev1 and prev2 are the words one
// and two places before (-1 when absent). Other words are regrouped.
bool travelsPlain(uint16_t word, int prev1, int prev2);
// The regrouped form of a sequence-instruction word: digits d >> 12, d & 7,
// (d >> 7) & 15, (d >> 3) & 15.
uint16_t regroup(uint16_t word);
// The word a regrouped form stands for.
uint16_t ungroup(uint16_t digits);
// The four-digit value sent for word `index` of the code.
uint16_t transmittedValue(const uint16_t* code, int index);

Bytes wordWrite(int index, uint16_t transmitted);  // 17 bytes, CR LF
Bytes wordRead(int index);                         // 16 bytes, CR
Bytes enquiry();
Bytes statusRead();
Bytes forceOnE7();
Bytes forceOffE8();
Bytes finish();
// Block b: words code[0..n-1] at byte address 0x1805C + 64 b; the sum is
// added by applyMode2Sum.
Bytes blockWrite(int block, const uint16_t* words, int n);

// Mode-2 read of n code words from word `first`: STX "E0", the byte address
// 0x1805C + 2 first (five digits), the byte count 2n (two digits), ETX and
// the sum, as a block write addresses the same words.
Bytes codeRead(int first, int n);
// Length of the reply to a read of n code words: STX, four digits a word,
// ETX, two sum digits.
constexpr int codeReplyLength(int n) {
    return 4 * n + 4;
}
// The n words of a reply to codeRead, each as its four digits (high digit
// first, as the block carried it), when the reply is exactly that long, starts
// with STX, holds ETX in its place and its sum matches.
std::optional<std::vector<uint16_t>> codeReplyWords(const uint8_t* reply, size_t size, int n);

// An upload reply (at least 8 bytes from STX): the four digits as a value when
// the check digits match the sum of bytes 1 to 5.
std::optional<uint16_t> replyDigits(const uint8_t* reply, size_t size);

}  // namespace rs::frame
