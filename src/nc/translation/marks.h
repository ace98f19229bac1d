// The temporary marks of the block translation: single control characters
// that stand in for letters already converted, so that a later step does not
// take them for new ones. The decoding writes them back as text.
#pragma once

namespace nc::translation {

inline constexpr char kMarkL = 1;
inline constexpr char kMarkP = 2;
inline constexpr char kMarkSine = 3;    // written back as "SIN("
inline constexpr char kMarkCosine = 4;  // "COS("
inline constexpr char kMarkRoot = 5;    // "SQRT("
inline constexpr char kMarkS = 6;
inline constexpr char kMarkN = 7;       // an N address after the block number
inline constexpr char kMarkParam = 8;   // a parameter address, "R"

// Marks 1 to 10 are decoded (9 and 10 have no text); marks 1 to 8 have one.
inline constexpr char kLastDecodedMark = 10;
inline constexpr char kLastTextMark = kMarkParam;

// Operators stand as marks 10 to 15 while the function letters are found.
inline constexpr char kFirstOperatorMark = 10;
inline constexpr char kOperatorsOfMarks[] = "=+-*/[";  // marks 10, 11, ... 15
inline constexpr char kLastOperatorMark = 15;

}  // namespace nc::translation
