#pragma once

#include <string>
#include <string_view>

// The plugin compiler reads its sources in Windows code page 1251, whatever the editor
// runs on, so the generated files are converted here rather than by the C library's
// locale-dependent iconv. A character the code page lacks becomes '?'. Windows' own
// default conversion would instead best-fit some of them (U+00C0 À to 'A'); '?' is kept on
// every system so that the same settings give the same file whichever machine wrote it.
// Each maximal ill-formed UTF-8 subsequence (a stray continuation byte, a cut-off
// sequence, an overlong form, a surrogate, a code point above U+10FFFF) becomes one '?'
// too, so nothing that was typed is silently dropped.
std::string Utf8ToCp1251(std::string_view utf8);

// Bytes of unknown origin (a program's output: UTF-8, code page 1251 or garbage) as valid
// UTF-8: each maximal ill-formed subsequence becomes U+FFFD, everything else is kept.
std::string ValidUtf8(std::string_view bytes);
