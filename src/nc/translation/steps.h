// The steps of the block translation, each on the block text in its fixed
// buffer. TranslateBlock runs them in order; a step that rejects the block
// returns the number of the message to show (0 when it accepts).
#pragma once

#include <cstdint>

#include "data/message_centre.h"
#include "data/message_numbers.h"
#include "nc/lexical/bounded_text.h"
#include "nc/words/param_table.h"
#include "nc/translation/translation.h"

namespace nc::translation {

inline constexpr std::int32_t kNoMessage = 0;  // the step accepts the block

// Removes leading and trailing blanks and control characters.
void TrimBlock(BoundedText& text);
// Deletes, from the first letter on, the letter, signs, points and digits.
void RemoveFirstWord(BoundedText& text, char letter);
// Deletes leading digits and "N"s.
void RemoveBlockNumber(BoundedText& text);
// Marks every "N" and returns kMessageTooManyNAddresses for more than two.
std::int32_t MarkNAddresses(BoundedText& text);
// Turns the first "ED" into the address "A".
void JoinEd(BoundedText& text);
// Marks "S", "C" and "R" named after an operator as sine, cosine and root.
void FindFunctionLetters(BoundedText& text);
// The same for the condition of a jump or call.
void FindConditionFunctionLetters(BoundedText& text);
// "M6" becomes "M06".
void NormaliseToolChange(BoundedText& text);
// Pads the first word of letter ("T" or "D") to two digits.
void PadToTwoDigits(BoundedText& text, char letter);
// A tool change or a correction needs a tool word.
std::int32_t CheckToolWords(const BoundedText& text);
// "G51" with its axis words sets the mirror factors and is removed.
void ApplyMirroring(BoundedText& text, MirrorFactors& mirror);
// The first "R" becomes the radius "U", negated by "E+".
void TranslateRadius(BoundedText& text);
// Every "L" n becomes a parameter mark and n with three digits.
std::int32_t TranslateParameters(BoundedText& text);
// "G79" jumps and "G77" calls, with or without a condition.
std::int32_t TranslateJumpsAndCalls(BoundedText& text, const ParamTable& params, data::MessageCentre& messages);
// Writes the marks back as text and converts up to ten "(" into "[" ... "]".
void DecodeMarks(BoundedText& text);

}  // namespace nc::translation
