// The engine's diagnostic texts and the formatting that fills them in. The first six are
// the engine's string resources 65433 to 65438; the rest report the engine's own limits.
#pragma once

#include <initializer_list>

#include "support/text.h"

inline constexpr char kTextOperatorFailure[] =
    "(оператор):  '%s'  - неверные параметры (или недопустимое количество)\r\n"
    "(в строке): %s";
inline constexpr char kTextRunError[] = " ошибка в строке # %d : %s";
inline constexpr char kTextNoValue[] = " не найдено значение %s";
inline constexpr char kTextError[] = "Error";
inline constexpr char kTextSyntaxError[] = " в строке %s обнаружена ошибка синтаксиса";
inline constexpr char kTextBadName[] =
    " строку '%s' нельзя использовать как имя функции или переменной ";

inline constexpr char kTextBadNumber[] = " в строке %s неверное число '%s'";
inline constexpr char kTextTooDeep[] =
    " функция %s вызывает сама себя: больше %d вложенных вызовов";
inline constexpr char kTextTooManyCalls[] =
    " в строке %s функции вычисляются слишком долго: больше %d шагов за один проход скрипта";
inline constexpr char kTextStackFull[] =
    " в строке %s больше %d значений или вызовов ждут вычисления";
inline constexpr char kTextNoStatement[] = " строки # %d нет: заменять нечего";

// Fills each %s or %d of the pattern, in order, with the next argument as it stands; the
// arguments are never read as patterns themselves.
Text FormatMessage(const char* pattern, std::initializer_list<Text> arguments);
Text IntText(int64_t number);
