// Code page 1251 as Windows maps and classifies it: the native build's stand-in for the
// system's ANSI functions, kept portable so that the Windows tests can hold it against them.
#pragma once

unsigned char Cp1251Upper(unsigned char c);
unsigned char Cp1251Lower(unsigned char c);
bool Cp1251IsAlpha(unsigned char c);
