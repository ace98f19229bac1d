// The numbers of the messages in the catalogue "msg.dat" (line n holds the
// text of number n) that the workstation shows, each named once: whoever
// reports a message takes its number from here.
#pragma once

#include <cstdint>

namespace data {

// Not a line of the catalogue: the text given with it is the message.
inline constexpr std::int32_t kDirectMessage = 0;

// Preparation and translation of the program text.
inline constexpr std::int32_t kMessageParameterNumber = 7;            // number outside 0..19 and 100..199
inline constexpr std::int32_t kMessageSubprogramNumberMismatch = 15;  // header number is not the file's
inline constexpr std::int32_t kMessageRepeatCountNotANumber = 17;
inline constexpr std::int32_t kMessageRepeatCountRange = 18;          // outside 0..99
inline constexpr std::int32_t kMessageCallTooDeep = 19;               // a call from the third call level
inline constexpr std::int32_t kMessageProgramCannotOpen = 20;
inline constexpr std::int32_t kMessageReadError = 23;
inline constexpr std::int32_t kMessageJumpTargetMissing = 24;
inline constexpr std::int32_t kMessageJumpWithoutTarget = 25;
inline constexpr std::int32_t kMessageProgramNumberTooLong = 41;      // more than 6 digits
inline constexpr std::int32_t kMessageProgramStartMissing = 44;       // no "%"
inline constexpr std::int32_t kMessageToolChangeWithoutTool = 131;    // M06 without T
inline constexpr std::int32_t kMessageTooManyNAddresses = 148;
inline constexpr std::int32_t kMessageCorrectionWithoutTool = 162;    // D without T
inline constexpr std::int32_t kMessageSubprogramEndsProgram = 166;    // M30, M2 or M02
inline constexpr std::int32_t kMessageCallWithoutG77 = 167;
inline constexpr std::int32_t kMessageJumpWithSecondTarget = 168;
inline constexpr std::int32_t kMessageRangeReversed = 169;            // a call range that starts after its end

// Execution of the blocks.
inline constexpr std::int32_t kMessageFeedNotPositive = 38;
inline constexpr std::int32_t kMessageFeedTooHigh = 39;               // above 30000
inline constexpr std::int32_t kMessageAngleOutOfRange = 88;           // rotation outside 0..360 degrees

// The expression evaluator (its error codes are these numbers).
inline constexpr std::int32_t kMessageDivisionByZero = 91;
inline constexpr std::int32_t kMessageNegativeBase = 92;              // with an exponent that is not whole
inline constexpr std::int32_t kMessageZeroPowerZero = 93;
inline constexpr std::int32_t kMessageTanUndefined = 94;
inline constexpr std::int32_t kMessageCotUndefined = 95;
inline constexpr std::int32_t kMessageAsinRange = 96;
inline constexpr std::int32_t kMessageAcosRange = 97;
inline constexpr std::int32_t kMessageExpressionSyntax = 98;
inline constexpr std::int32_t kMessageSqrtNegative = 99;
inline constexpr std::int32_t kMessageUnknownOperation = 100;
inline constexpr std::int32_t kMessageStackOverflow = 101;
inline constexpr std::int32_t kMessageLnRange = 103;

// The commands.
inline constexpr std::int32_t kMessageAbortedByOperator = 181;

}  // namespace data
