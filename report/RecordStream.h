#pragma once
// The saved-report record stream: line scrambling, field splitting and the values inside
// fields. Everything here works on the file's own bytes (Windows-1255).
#include "engine/Alignment.h"

#include <QByteArray>
#include <QByteArrayView>

// The one-byte key of scrambled lines. Bytes 32..223 are XORed with it, the rest stay, so
// scrambling is its own inverse.
constexpr unsigned char kScrambleKey = 0xF5;
QByteArray ScrambleLine(const QByteArray &text);

// Takes one field off the front of rest: trims spaces and control characters, honours
// double quotes (a doubled quote inside stands for one), consumes one separator.
QByteArray NextField(QByteArray &rest, char separator = ',');

// Field values. Integers are decimal with a sign or "$" hexadecimal; anything else gives the
// default. A flag is exactly "Y".
int FieldToInt(QByteArrayView field, int defaultValue = 0);
inline int NextInt(QByteArray &rest, int defaultValue = 0) { return FieldToInt(NextField(rest), defaultValue); }
inline bool NextFlag(QByteArray &rest) { return NextField(rest) == "Y"; }

// First letter: "L" left, "R" right, "C" centre, "D" the reading direction's start, "N" its
// end; anything else left.
TAlignment AlignmentFromLetter(QByteArrayView field, bool rightToLeft);
// Written back as "L", "R" or "C".
char AlignmentLetter(TAlignment alignment);
