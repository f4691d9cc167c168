#include "viewer/RtfKeywords.h"

#include <QChar>

#include <string_view>
#include <unordered_map>

namespace {

std::string_view View(QByteArrayView word) {
    return {word.data(), static_cast<std::size_t>(word.size())};
}

} // namespace

std::optional<TRtfKeyword> FindRtfKeyword(QByteArrayView word) {
    static const std::unordered_map<std::string_view, TRtfKeyword> keywords{
        {"fonttbl", TRtfKeyword::FontTable},
        {"colortbl", TRtfKeyword::ColorTable},
        {"stylesheet", TRtfKeyword::StyleSheet},
        {"info", TRtfKeyword::Info},
        {"title", TRtfKeyword::Title},
        {"pntext", TRtfKeyword::ListText},
        {"listtext", TRtfKeyword::ListText},
        {"pn", TRtfKeyword::ListProperties},
        // Destinations whose text is not part of the body.
        {"author", TRtfKeyword::Skipped},
        {"buptim", TRtfKeyword::Skipped},
        {"comment", TRtfKeyword::Skipped},
        {"company", TRtfKeyword::Skipped},
        {"creatim", TRtfKeyword::Skipped},
        {"doccomm", TRtfKeyword::Skipped},
        {"fldinst", TRtfKeyword::Skipped},
        {"footer", TRtfKeyword::Skipped},
        {"footerf", TRtfKeyword::Skipped},
        {"footerl", TRtfKeyword::Skipped},
        {"footerr", TRtfKeyword::Skipped},
        {"footnote", TRtfKeyword::Skipped},
        {"ftncn", TRtfKeyword::Skipped},
        {"ftnsep", TRtfKeyword::Skipped},
        {"ftnsepc", TRtfKeyword::Skipped},
        {"header", TRtfKeyword::Skipped},
        {"headerf", TRtfKeyword::Skipped},
        {"headerl", TRtfKeyword::Skipped},
        {"headerr", TRtfKeyword::Skipped},
        {"keywords", TRtfKeyword::Skipped},
        {"manager", TRtfKeyword::Skipped},
        {"object", TRtfKeyword::Skipped},
        {"operator", TRtfKeyword::Skipped},
        {"pict", TRtfKeyword::Skipped},
        {"pntxta", TRtfKeyword::Skipped},
        {"pntxtb", TRtfKeyword::Skipped},
        {"printim", TRtfKeyword::Skipped},
        {"private", TRtfKeyword::Skipped},
        {"revtim", TRtfKeyword::Skipped},
        {"rxe", TRtfKeyword::Skipped},
        {"subject", TRtfKeyword::Skipped},
        {"tc", TRtfKeyword::Skipped},
        {"txe", TRtfKeyword::Skipped},
        {"xe", TRtfKeyword::Skipped},
        {"u", TRtfKeyword::Unicode},
        {"par", TRtfKeyword::Par},
        {"row", TRtfKeyword::Par},
        {"page", TRtfKeyword::Par},
        {"sect", TRtfKeyword::Par},
        {"pard", TRtfKeyword::Pard},
        {"ql", TRtfKeyword::AlignLeft},
        {"qc", TRtfKeyword::AlignCenter},
        {"qr", TRtfKeyword::AlignRight},
        {"qj", TRtfKeyword::AlignJustify},
        {"li", TRtfKeyword::LeftIndent},
        {"lin", TRtfKeyword::LeftIndent},
        {"ri", TRtfKeyword::RightIndent},
        {"rin", TRtfKeyword::RightIndent},
        {"fi", TRtfKeyword::FirstIndent},
        {"sb", TRtfKeyword::SpaceBefore},
        {"sa", TRtfKeyword::SpaceAfter},
        {"ls", TRtfKeyword::ListOverride},
        {"pnlvlblt", TRtfKeyword::ListBullet},
        {"pnlvlbody", TRtfKeyword::ListBody},
        {"pnlvlcont", TRtfKeyword::ListContinue},
        {"pndec", TRtfKeyword::ListDecimal},
        {"pnucltr", TRtfKeyword::ListUpperAlpha},
        {"pnlcltr", TRtfKeyword::ListLowerAlpha},
        {"pnucrm", TRtfKeyword::ListUpperRoman},
        {"pnlcrm", TRtfKeyword::ListLowerRoman},
        {"plain", TRtfKeyword::Plain},
        {"b", TRtfKeyword::Bold},
        {"i", TRtfKeyword::Italic},
        {"ul", TRtfKeyword::Underline},
        {"uld", TRtfKeyword::Underline},
        {"uldash", TRtfKeyword::Underline},
        {"uldb", TRtfKeyword::Underline},
        {"ulth", TRtfKeyword::Underline},
        {"ulw", TRtfKeyword::Underline},
        {"ulwave", TRtfKeyword::Underline},
        {"ulnone", TRtfKeyword::UnderlineNone},
        {"strike", TRtfKeyword::Strike},
        {"striked", TRtfKeyword::Strike},
        {"fs", TRtfKeyword::FontSize},
        {"f", TRtfKeyword::Font},
        {"cf", TRtfKeyword::Color},
        {"highlight", TRtfKeyword::Highlight},
        {"cb", TRtfKeyword::Highlight},
        {"super", TRtfKeyword::Superscript},
        {"sub", TRtfKeyword::Subscript},
        {"nosupersub", TRtfKeyword::NoSuperSub},
        {"v", TRtfKeyword::Hidden},
        {"ansi", TRtfKeyword::Ansi},
        {"mac", TRtfKeyword::Mac},
        {"pc", TRtfKeyword::Pc},
        {"pca", TRtfKeyword::Pca},
        {"ansicpg", TRtfKeyword::AnsiCodePage},
        {"deff", TRtfKeyword::DefaultFont},
        {"uc", TRtfKeyword::UnicodeSkip},
        {"fcharset", TRtfKeyword::FontCharset},
        {"red", TRtfKeyword::Red},
        {"green", TRtfKeyword::Green},
        {"blue", TRtfKeyword::Blue},
    };
    const auto it = keywords.find(View(word));
    if (it == keywords.end())
        return std::nullopt;
    return it->second;
}

char16_t RtfWordCharacter(QByteArrayView word) {
    static const std::unordered_map<std::string_view, char16_t> characters{
        {"line", QChar::LineSeparator},
        {"tab", u'\t'},
        {"cell", u'\t'}, // table cells read as tab-separated text
        {"bullet", u'\u2022'},
        {"emdash", u'\u2014'},
        {"endash", u'\u2013'},
        {"lquote", u'\u2018'},
        {"rquote", u'\u2019'},
        {"ldblquote", u'\u201C'},
        {"rdblquote", u'\u201D'},
        {"emspace", u'\u2003'},
        {"enspace", u'\u2002'},
    };
    const auto it = characters.find(View(word));
    return it == characters.end() ? 0 : it->second;
}
