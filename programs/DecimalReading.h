// Reading numbers typed by the user, stored in command records or given in a
// program's control word. Both read a leading decimal number and ignore what
// follows it; text that does not begin with one (after optional white space)
// reads as 0. Only plain decimal notation counts: hexadecimal, "inf" and
// "nan" read as 0 (or as the decimal digits before them).
#ifndef OKUL_PROGRAMS_DECIMALREADING_H
#define OKUL_PROGRAMS_DECIMALREADING_H

// Decimal integer ("-12", "7.9" reads 7). Values beyond the range of int are
// held at its ends, so an oversized number stays oversized rather than
// wrapping around.
int ReadDecimalInt(const char *text);

// Decimal floating-point number ("-1.5e3", ".25"). A null text reads as 0.
double ReadDecimalNumber(const char *text);

#endif  // OKUL_PROGRAMS_DECIMALREADING_H
