// The samples: each language group's words, and their bytes in its Windows code page.
#include "support/CodePageSamples.h"

namespace quillora::testing {

std::span<const CodePageSample> codePageSamples()
{
    // A string of hex escapes ends before a letter that is a hex digit.
    static const CodePageSample samples[] = {
        {"pl_PL.UTF-8", "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1", u"Zażółć gęślą jaźń"},
        {"sr_RS.UTF-8@latin",
         "\xE6"
         "evap\xE8i\xE6i",
         u"ćevapčići"},
        {"ru_RU.UTF-8", "\xD1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 \xFD\xF2\xE8\xF5", u"Съешь же ещё этих"},
        {"sr_RS", "\xC4\xEE\xE1\xF0\xEE \xBC\xF3\xF2\xF0\xEE", u"Добро јутро"},
        {"de_DE.ISO-8859-15",
         "Gr\xFC\xDF"
         "e \x80"
         "5 \x8Cuvre \x81",
         u"Grüße €5 Œuvre \u0081"},
        {"el_GR.UTF-8", "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1 \xEA\xFC\xF3\xEC\xE5", u"Καλημέρα κόσμε"},
        {"tr_TR.UTF-8", "G\xFCnayd\xFDn \xDD\xF0", u"Günaydın İğ"},
        {"he_IL.UTF-8", "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED", u"שלום עולם"},
        {"fa_IR.UTF-8", "\xD3\xE1\xC7\xE3 \xCF\xE4\xED\xC7 \x81", u"سلام دنيا پ"},
        {"lt_LT.UTF-8", "Labas \xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE", u"Labas ąčęėįšųūž"},
        {"vi_VN", "Vi\xEA\xF2t Nam", u"Vi\u00EA\u0323t Nam"},
        {"th_TH.UTF-8", "\xCA\xC7\xD1\xCA\xB4\xD5 \xA4\xC3\xD1\xBA", u"สวัสดี ครับ"},
        {"ja_JP.UTF-8",
         "\x93\xFA\x96{\x8C\xEA\x82\xCC \x83"
         "e\x83L\x83X\x83g \x87@\x81`",
         u"日本語の テキスト ①～"},
        {"zh_CN.UTF-8", "\xC4\xE3\xBA\xC3 \xCA\xC0\xBD\xE7 \x80", u"你好 世界 €"},
        {"zh_HK.Big5-HKSCS", "\xA4\xA4\xA4\xE5 \xB4\xFA\xB8\xD5", u"中文 測試"},
        // The second syllable is one Windows adds to plain EUC-KR.
        {"ko_KR.UTF-8",
         "\xBE\xC8\xB3\xE7 \x81"
         "A",
         u"안녕 갂"},
    };
    return samples;
}

} // namespace quillora::testing
