#include "viewer/RtfReader.h"

#include "viewer/RtfCodePage.h"
#include "viewer/RtfKeywords.h"
#include "viewer/RtfTokenizer.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Deeper groups are skipped whole: real documents nest a few levels, hostile ones thousands.
constexpr std::size_t MaxGroupDepth = 256;
// Indents and spacing beyond 22 inches are damage, not layout.
constexpr int MaxTwips = 31680;
// 1638 points, the largest size word processors offer.
constexpr int MaxHalfPoints = 3276;
constexpr double TwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch

enum class Destination {
    Text,           // the document body
    FontTable,      // \fonttbl
    ColorTable,     // \colortbl
    Container,      // \stylesheet, \info: no text of their own
    Title,          // \title inside \info
    ListText,       // \pntext, \listtext: the marker as text, replaced by a real list
    ListProperties, // \pn: how the paragraph is numbered
};

struct CharacterState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int halfPoints = 24;
    int font = -1;
    int color = 0; // colour table index; 0 is the automatic colour
    int background = 0;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;

    bool operator==(const CharacterState&) const = default;
};

struct ParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0; // twips, as are the rest
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    QTextListFormat::Style listStyle = QTextListFormat::ListStyleUndefined;
    bool listOverride = false;

    bool operator==(const ParagraphState&) const = default;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharacterState character;
    ParagraphState paragraph;
    int unicodeSkip = 1;
    int fontCodePage = 0; // inside the font table: the code page of the entry being defined
};

struct FontEntry {
    QString family;
    int codePage = 0; // 0: the document's
    bool symbol = false;
};

int ClampTwips(int twips) {
    return std::clamp(twips, -MaxTwips, MaxTwips);
}

// Qt turns some characters into structure (a new block, an object); as text they mean nothing.
QString CleanText(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            clean.append(ch);
            clean.append(text.at(++i));
        } else if (ch.isSurrogate()) {
            clean.append(QChar::ReplacementCharacter);
        } else if ((ch.unicode() >= 0x20 || ch == u'\t') && ch != QChar::ParagraphSeparator &&
                   ch != QChar::ObjectReplacementCharacter && ch.unicode() != 0xFDD0 &&
                   ch.unicode() != 0xFDD1) {
            clean.append(ch);
        }
    }
    return clean;
}

QTextListFormat::Style GuessListStyle(const QString& marker, bool symbolFont) {
    const QString text = marker.trimmed();
    if (symbolFont || text.isEmpty())
        return QTextListFormat::ListDisc;
    const QChar first = text.at(0);
    if (first.isDigit())
        return QTextListFormat::ListDecimal;
    if (text == u"o")
        return QTextListFormat::ListCircle;
    if (first.isLetter() && text.size() > 1)
        return first.isUpper() ? QTextListFormat::ListUpperAlpha : QTextListFormat::ListLowerAlpha;
    return QTextListFormat::ListDisc;
}

// Writes paragraphs and runs of text into the document through one cursor.
class TDocumentBuilder {
public:
    explicit TDocumentBuilder(QTextDocument& document)
        : cursor_(&document), blockFormat_(cursor_.blockFormat()),
          blockCharFormat_(cursor_.blockCharFormat()) {}

    void InsertText(const QString& text, const QTextCharFormat& format) {
        if (!text.isEmpty())
            cursor_.insertText(text, format);
    }

    bool BlockIsEmpty() const { return cursor_.block().length() <= 1; }

    // Gives the current block its format and list; endFormat sizes an empty line.
    void FinishBlock(const QTextBlockFormat& format, QTextListFormat::Style listStyle,
                     const QTextCharFormat& endFormat) {
        // Setting a format costs as much as inserting the block, and most paragraphs have the
        // formats of the one before, which their block was made with.
        if (format != blockFormat_)
            cursor_.setBlockFormat(format);
        if (endFormat != blockCharFormat_)
            cursor_.setBlockCharFormat(endFormat);
        blockFormat_ = format;
        blockCharFormat_ = endFormat;
        if (listStyle == QTextListFormat::ListStyleUndefined) {
            list_ = nullptr;
        } else if (list_ && list_->format().style() == listStyle &&
                   listMargin_ == format.leftMargin()) {
            list_->add(cursor_.block());
        } else {
            QTextListFormat listFormat;
            listFormat.setStyle(listStyle);
            listFormat.setIndent(1);
            list_ = cursor_.createList(listFormat);
            listMargin_ = format.leftMargin();
        }
    }

    void NewBlock() { cursor_.insertBlock(blockFormat_, blockCharFormat_); }

    QTextCursor& Cursor() { return cursor_; }

private:
    QTextCursor cursor_;
    QTextBlockFormat blockFormat_; // the current block's formats, but for its list
    QTextCharFormat blockCharFormat_;
    QTextList* list_ = nullptr; // the list the previous block belongs to
    qreal listMargin_ = 0;
};

// Reads the token stream with an explicit stack of group states, so the input's nesting never
// becomes the program's call depth.
class TRtfParser {
public:
    TRtfParser(QByteArrayView rtf, QTextDocument& document)
        : tokenizer_(rtf), document_(document), builder_(document) {
        stack_.emplace_back();
    }

    void Run();

private:
    GroupState& State() { return stack_.back(); }

    void OnGroupStart();
    void OnGroupEnd();
    void OnControlWord(const TRtfToken& token, bool ignorable);
    void OnControlSymbol(char symbol);
    void OnText(QByteArrayView bytes);
    void OnKeyword(TRtfKeyword keyword, bool hasParameter, int parameter);
    // The keywords by what they set; each is true when the keyword was its own.
    bool OnDestinationKeyword(TRtfKeyword keyword);
    bool OnParagraphKeyword(TRtfKeyword keyword, int parameter);
    bool OnCharacterKeyword(TRtfKeyword keyword, bool hasParameter, int parameter);
    bool OnTableKeyword(TRtfKeyword keyword, int parameter);
    bool OnDocumentKeyword(TRtfKeyword keyword, bool hasParameter, int parameter);
    void EnterDestination(Destination destination);
    void SkipGroup();

    void AppendBytes(QByteArrayView bytes) { pendingBytes_.append(bytes); }
    void AppendCharacter(char16_t ch);
    void Flush();
    void CommitFont();
    void CommitColor();
    void EndParagraph(const GroupState& state, bool last);

    int TextCodePage();
    // Runs and paragraphs mostly repeat the last format made, which is then handed out again:
    // copies of one format compare at no cost.
    QTextCharFormat CharFormat(const CharacterState& character);
    QTextBlockFormat BlockFormat(const ParagraphState& paragraph, bool inList);
    QTextCharFormat MakeCharFormat(const CharacterState& character) const;
    QTextBlockFormat MakeBlockFormat(const ParagraphState& paragraph, bool inList) const;
    QTextListFormat::Style ListStyle(const ParagraphState& paragraph) const;

    TRtfTokenizer tokenizer_;
    QTextDocument& document_;
    TDocumentBuilder builder_;
    TRtfTextDecoder decoder_;

    std::vector<GroupState> stack_;
    std::optional<GroupState> closedDocument_; // the outermost group's state as it closed
    qsizetype ignoredDepth_ = 0;               // > 0 while inside a skipped group
    bool ignorable_ = false;                   // the last token was \*
    int fallbackLeft_ = 0;                     // characters still to skip after \uN

    int documentCodePage_ = 1252;
    int defaultFont_ = -1;
    std::map<int, FontEntry> fonts_;
    int fontNumber_ = -1; // the font table entry being read
    FontEntry font_;
    std::vector<QColor> colors_;
    std::optional<int> red_, green_, blue_;
    std::optional<std::pair<CharacterState, QTextCharFormat>> lastCharFormat_;
    std::optional<std::tuple<ParagraphState, bool, QTextBlockFormat>> lastBlockFormat_;

    QByteArray pendingBytes_;
    QString pendingText_;
    QString listText_;
    bool listTextSymbol_ = false;
    QString title_;
    bool paragraphEnded_ = false;
};

void TRtfParser::Run() {
    builder_.Cursor().beginEditBlock();
    for (;;) {
        const TRtfToken token = tokenizer_.Next();
        if (token.kind == TRtfToken::Kind::End)
            break;
        if (ignoredDepth_ > 0) {
            if (token.kind == TRtfToken::Kind::GroupStart)
                ++ignoredDepth_;
            else if (token.kind == TRtfToken::Kind::GroupEnd)
                --ignoredDepth_;
            continue;
        }
        const bool ignorable = std::exchange(ignorable_, false);
        switch (token.kind) {
        case TRtfToken::Kind::GroupStart:
            OnGroupStart();
            break;
        case TRtfToken::Kind::GroupEnd:
            OnGroupEnd();
            break;
        case TRtfToken::Kind::ControlWord:
            if (fallbackLeft_ > 0) {
                --fallbackLeft_;
                break;
            }
            OnControlWord(token, ignorable);
            break;
        case TRtfToken::Kind::ControlSymbol:
            if (fallbackLeft_ > 0) {
                --fallbackLeft_;
                break;
            }
            OnControlSymbol(token.symbol);
            break;
        case TRtfToken::Kind::HexByte:
            if (fallbackLeft_ > 0) {
                --fallbackLeft_;
                break;
            }
            AppendBytes(QByteArrayView(reinterpret_cast<const char*>(&token.byte), 1));
            break;
        case TRtfToken::Kind::Text:
            OnText(token.data);
            break;
        case TRtfToken::Kind::Binary:
            if (fallbackLeft_ > 0)
                --fallbackLeft_;
            break; // pictures and objects are not shown
        case TRtfToken::Kind::End:
            break;
        }
    }

    // Whatever was read so far is the document, closed or not.
    Flush();
    const GroupState last = stack_.size() > 1 || !closedDocument_ ? State() : *closedDocument_;
    EndParagraph(last, true);
    if (!title_.trimmed().isEmpty())
        document_.setMetaInformation(QTextDocument::DocumentTitle, title_.trimmed());
    builder_.Cursor().endEditBlock();
}

void TRtfParser::OnGroupStart() {
    Flush();
    fallbackLeft_ = 0;
    if (stack_.size() > MaxGroupDepth) {
        ignoredDepth_ = 1;
        return;
    }
    stack_.push_back(State());
}

void TRtfParser::OnGroupEnd() {
    Flush();
    fallbackLeft_ = 0;
    if (stack_.size() <= 1)
        return; // a stray closing brace
    GroupState closed = std::move(stack_.back());
    stack_.pop_back();
    switch (closed.destination) {
    case Destination::FontTable:
        if (!font_.family.trimmed().isEmpty())
            CommitFont(); // an entry without its semicolon
        break;
    case Destination::ListProperties:
        if (State().destination != Destination::ListProperties)
            State().paragraph.listStyle = closed.paragraph.listStyle;
        break;
    default:
        break;
    }
    if (stack_.size() == 1)
        closedDocument_ = std::move(closed);
}

void TRtfParser::SkipGroup() {
    Flush();
    if (stack_.size() > 1) {
        stack_.pop_back();
        ignoredDepth_ = 1;
    }
}

void TRtfParser::EnterDestination(Destination destination) {
    if (stack_.size() <= 1) {
        // A destination outside any group would swallow the rest of the document.
        return;
    }
    State().destination = destination;
}

void TRtfParser::OnControlWord(const TRtfToken& token, bool ignorable) {
    const std::optional<TRtfKeyword> keyword = FindRtfKeyword(token.data);
    if (ignorable && !(keyword && IsDestination(*keyword))) {
        SkipGroup();
        return;
    }
    if (const char16_t ch = RtfWordCharacter(token.data)) {
        AppendCharacter(ch);
        return;
    }
    if (keyword)
        OnKeyword(*keyword, token.hasParameter, token.parameter);
}

void TRtfParser::OnKeyword(TRtfKeyword keyword, bool hasParameter, int parameter) {
    if (keyword == TRtfKeyword::Unicode) {
        if (!hasParameter)
            return;
        // RTF writes the UTF-16 unit as a signed 16-bit number.
        if (parameter >= -32768 && parameter <= 65535) {
            AppendCharacter(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
            fallbackLeft_ = State().unicodeSkip;
        }
        return;
    }
    // Everything else changes state, so the text read so far goes out with the old state.
    Flush();
    // Each keyword belongs to one group, so at most one of these acts.
    OnDestinationKeyword(keyword) || OnParagraphKeyword(keyword, parameter) ||
        OnCharacterKeyword(keyword, hasParameter, parameter) ||
        OnTableKeyword(keyword, parameter) || OnDocumentKeyword(keyword, hasParameter, parameter);
}

bool TRtfParser::OnDestinationKeyword(TRtfKeyword keyword) {
    switch (keyword) {
    case TRtfKeyword::FontTable:
        EnterDestination(Destination::FontTable);
        fontNumber_ = -1;
        font_ = {};
        return true;
    case TRtfKeyword::ColorTable:
        EnterDestination(Destination::ColorTable);
        red_ = green_ = blue_ = std::nullopt;
        return true;
    case TRtfKeyword::StyleSheet:
    case TRtfKeyword::Info:
        EnterDestination(Destination::Container);
        return true;
    case TRtfKeyword::Title:
        EnterDestination(Destination::Title);
        return true;
    case TRtfKeyword::ListText:
        EnterDestination(Destination::ListText);
        return true;
    case TRtfKeyword::ListProperties:
        EnterDestination(Destination::ListProperties);
        State().paragraph.listStyle = QTextListFormat::ListStyleUndefined;
        return true;
    case TRtfKeyword::Skipped:
        SkipGroup();
        return true;
    default:
        return false;
    }
}

bool TRtfParser::OnParagraphKeyword(TRtfKeyword keyword, int parameter) {
    GroupState& state = State();
    ParagraphState& paragraph = state.paragraph;
    switch (keyword) {
    case TRtfKeyword::Par:
        if (state.destination == Destination::Text)
            EndParagraph(state, false);
        return true;
    case TRtfKeyword::Pard:
        paragraph = ParagraphState();
        return true;
    case TRtfKeyword::AlignLeft:
        paragraph.alignment = Qt::AlignLeft;
        return true;
    case TRtfKeyword::AlignCenter:
        paragraph.alignment = Qt::AlignHCenter;
        return true;
    case TRtfKeyword::AlignRight:
        paragraph.alignment = Qt::AlignRight;
        return true;
    case TRtfKeyword::AlignJustify:
        paragraph.alignment = Qt::AlignJustify;
        return true;
    case TRtfKeyword::LeftIndent:
        paragraph.leftIndent = ClampTwips(parameter);
        return true;
    case TRtfKeyword::RightIndent:
        paragraph.rightIndent = ClampTwips(parameter);
        return true;
    case TRtfKeyword::FirstIndent:
        paragraph.firstIndent = ClampTwips(parameter);
        return true;
    case TRtfKeyword::SpaceBefore:
        paragraph.spaceBefore = std::clamp(parameter, 0, MaxTwips);
        return true;
    case TRtfKeyword::SpaceAfter:
        paragraph.spaceAfter = std::clamp(parameter, 0, MaxTwips);
        return true;
    case TRtfKeyword::ListOverride:
        paragraph.listOverride = parameter > 0;
        return true;
    case TRtfKeyword::ListBullet:
        paragraph.listStyle = QTextListFormat::ListDisc;
        return true;
    case TRtfKeyword::ListBody:
        if (paragraph.listStyle == QTextListFormat::ListStyleUndefined)
            paragraph.listStyle = QTextListFormat::ListDecimal;
        return true;
    case TRtfKeyword::ListContinue:
        paragraph.listStyle = QTextListFormat::ListStyleUndefined;
        return true;
    case TRtfKeyword::ListDecimal:
        paragraph.listStyle = QTextListFormat::ListDecimal;
        return true;
    case TRtfKeyword::ListUpperAlpha:
        paragraph.listStyle = QTextListFormat::ListUpperAlpha;
        return true;
    case TRtfKeyword::ListLowerAlpha:
        paragraph.listStyle = QTextListFormat::ListLowerAlpha;
        return true;
    case TRtfKeyword::ListUpperRoman:
        paragraph.listStyle = QTextListFormat::ListUpperRoman;
        return true;
    case TRtfKeyword::ListLowerRoman:
        paragraph.listStyle = QTextListFormat::ListLowerRoman;
        return true;
    default:
        return false;
    }
}

bool TRtfParser::OnCharacterKeyword(TRtfKeyword keyword, bool hasParameter, int parameter) {
    // A parameter-less toggle switches on; a zero parameter switches off.
    const bool on = !hasParameter || parameter != 0;
    CharacterState& character = State().character;
    switch (keyword) {
    case TRtfKeyword::Plain:
        character = CharacterState();
        character.font = defaultFont_;
        return true;
    case TRtfKeyword::Bold:
        character.bold = on;
        return true;
    case TRtfKeyword::Italic:
        character.italic = on;
        return true;
    case TRtfKeyword::Underline:
        character.underline = on;
        return true;
    case TRtfKeyword::UnderlineNone:
        character.underline = false;
        return true;
    case TRtfKeyword::Strike:
        character.strike = on;
        return true;
    case TRtfKeyword::FontSize:
        character.halfPoints = !hasParameter ? 24 : std::clamp(parameter, 1, MaxHalfPoints);
        return true;
    case TRtfKeyword::Color:
        character.color = parameter;
        return true;
    case TRtfKeyword::Highlight:
        character.background = parameter;
        return true;
    case TRtfKeyword::Superscript:
        character.vertical = on ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
        return true;
    case TRtfKeyword::Subscript:
        character.vertical = on ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
        return true;
    case TRtfKeyword::NoSuperSub:
        character.vertical = QTextCharFormat::AlignNormal;
        return true;
    case TRtfKeyword::Hidden:
        character.hidden = on;
        return true;
    default:
        return false;
    }
}

bool TRtfParser::OnTableKeyword(TRtfKeyword keyword, int parameter) {
    GroupState& state = State();
    switch (keyword) {
    case TRtfKeyword::Font:
        // In the text, the font of the characters that follow.
        if (state.destination != Destination::FontTable) {
            state.character.font = parameter;
        } else {
            if (!font_.family.trimmed().isEmpty())
                CommitFont();
            fontNumber_ = parameter;
            font_ = {};
            state.fontCodePage = 0;
        }
        return true;
    case TRtfKeyword::FontCharset:
        if (state.destination == Destination::FontTable) {
            font_.codePage = CodePageForCharset(parameter);
            font_.symbol = parameter == 2;
            state.fontCodePage = font_.codePage;
        }
        return true;
    case TRtfKeyword::Red:
        red_ = std::clamp(parameter, 0, 255);
        return true;
    case TRtfKeyword::Green:
        green_ = std::clamp(parameter, 0, 255);
        return true;
    case TRtfKeyword::Blue:
        blue_ = std::clamp(parameter, 0, 255);
        return true;
    default:
        return false;
    }
}

bool TRtfParser::OnDocumentKeyword(TRtfKeyword keyword, bool hasParameter, int parameter) {
    GroupState& state = State();
    switch (keyword) {
    case TRtfKeyword::Ansi:
        documentCodePage_ = 1252;
        return true;
    case TRtfKeyword::Mac:
        documentCodePage_ = 10000;
        return true;
    case TRtfKeyword::Pc:
        documentCodePage_ = 437;
        return true;
    case TRtfKeyword::Pca:
        documentCodePage_ = 850;
        return true;
    case TRtfKeyword::AnsiCodePage:
        if (hasParameter && parameter > 0)
            documentCodePage_ = parameter;
        return true;
    case TRtfKeyword::DefaultFont:
        defaultFont_ = parameter;
        if (state.destination == Destination::Text)
            state.character.font = parameter;
        return true;
    case TRtfKeyword::UnicodeSkip:
        state.unicodeSkip = std::max(parameter, 0);
        return true;
    default:
        return false;
    }
}

void TRtfParser::OnControlSymbol(char symbol) {
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        AppendCharacter(static_cast<char16_t>(symbol));
        break;
    case '~':
        AppendCharacter(QChar::Nbsp);
        break;
    case '-':
        AppendCharacter(QChar::SoftHyphen);
        break;
    case '_':
        AppendCharacter(u'\u2011');
        break;
    case '*':
        ignorable_ = true;
        break;
    case '\r':
    case '\n':
        OnKeyword(TRtfKeyword::Par, false, 0);
        break;
    default:
        break;
    }
}

void TRtfParser::OnText(QByteArrayView bytes) {
    const qsizetype skipped = std::min<qsizetype>(fallbackLeft_, bytes.size());
    fallbackLeft_ -= static_cast<int>(skipped);
    AppendBytes(bytes.sliced(skipped));
}

void TRtfParser::AppendCharacter(char16_t ch) {
    if (!pendingBytes_.isEmpty()) {
        pendingText_ += decoder_.Decode(pendingBytes_, TextCodePage());
        pendingBytes_.clear();
    }
    pendingText_ += QChar(ch);
}

int TRtfParser::TextCodePage() {
    const GroupState& state = State();
    int codePage = 0;
    if (state.destination == Destination::FontTable) {
        codePage = state.fontCodePage;
    } else if (const auto it = fonts_.find(state.character.font); it != fonts_.end()) {
        codePage = it->second.codePage;
    }
    return codePage != 0 ? codePage : documentCodePage_;
}

void TRtfParser::Flush() {
    if (!pendingBytes_.isEmpty()) {
        pendingText_ += decoder_.Decode(pendingBytes_, TextCodePage());
        pendingBytes_.clear();
    }
    if (pendingText_.isEmpty())
        return;
    const QString text = std::exchange(pendingText_, QString());
    GroupState& state = State();
    switch (state.destination) {
    case Destination::Text:
        if (!state.character.hidden)
            builder_.InsertText(CleanText(text), CharFormat(state.character));
        break;
    case Destination::FontTable:
        for (const QChar ch : text) {
            if (ch == u';')
                CommitFont();
            else
                font_.family += ch;
        }
        break;
    case Destination::ColorTable:
        for (const QChar ch : text) {
            if (ch == u';')
                CommitColor();
        }
        break;
    case Destination::Title:
        title_ += CleanText(text);
        break;
    case Destination::ListText:
        listText_ += text;
        if (const auto it = fonts_.find(state.character.font); it != fonts_.end())
            listTextSymbol_ = listTextSymbol_ || it->second.symbol;
        break;
    case Destination::Container:
    case Destination::ListProperties:
        break;
    }
}

void TRtfParser::CommitFont() {
    font_.family = CleanText(font_.family).trimmed();
    if (fontNumber_ >= 0 && !font_.family.isEmpty())
        fonts_[fontNumber_] = font_;
    lastCharFormat_.reset();
    font_ = {};
    fontNumber_ = -1;
}

void TRtfParser::CommitColor() {
    if (red_ || green_ || blue_)
        colors_.emplace_back(red_.value_or(0), green_.value_or(0), blue_.value_or(0));
    else
        colors_.emplace_back(); // the automatic colour
    red_ = green_ = blue_ = std::nullopt;
    lastCharFormat_.reset();
}

QTextCharFormat TRtfParser::CharFormat(const CharacterState& character) {
    if (!lastCharFormat_ || lastCharFormat_->first != character)
        lastCharFormat_.emplace(character, MakeCharFormat(character));
    return lastCharFormat_->second;
}

QTextBlockFormat TRtfParser::BlockFormat(const ParagraphState& paragraph, bool inList) {
    if (!lastBlockFormat_ || std::get<0>(*lastBlockFormat_) != paragraph ||
        std::get<1>(*lastBlockFormat_) != inList)
        lastBlockFormat_.emplace(paragraph, inList, MakeBlockFormat(paragraph, inList));
    return std::get<2>(*lastBlockFormat_);
}

QTextCharFormat TRtfParser::MakeCharFormat(const CharacterState& character) const {
    QTextCharFormat format;
    format.setFontWeight(character.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(character.italic);
    format.setFontUnderline(character.underline);
    format.setFontStrikeOut(character.strike);
    format.setFontPointSize(character.halfPoints / 2.0);
    if (const auto it = fonts_.find(character.font); it != fonts_.end())
        format.setFontFamilies(QStringList{it->second.family});
    const auto color = [this](int index) -> QColor {
        if (index <= 0 || static_cast<std::size_t>(index) >= colors_.size())
            return {};
        return colors_[static_cast<std::size_t>(index)];
    };
    if (const QColor foreground = color(character.color); foreground.isValid())
        format.setForeground(foreground);
    if (const QColor background = color(character.background); background.isValid())
        format.setBackground(background);
    if (character.vertical != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(character.vertical);
    return format;
}

QTextListFormat::Style TRtfParser::ListStyle(const ParagraphState& paragraph) const {
    if (paragraph.listStyle != QTextListFormat::ListStyleUndefined)
        return paragraph.listStyle;
    if (paragraph.listOverride || !listText_.isEmpty())
        return GuessListStyle(listText_, listTextSymbol_);
    return QTextListFormat::ListStyleUndefined;
}

QTextBlockFormat TRtfParser::MakeBlockFormat(const ParagraphState& paragraph, bool inList) const {
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment);
    if (inList) {
        // The list draws its marker in one indent step; the text keeps its place.
        const qreal left = paragraph.leftIndent / TwipsPerPixel - document_.indentWidth();
        format.setLeftMargin(std::max<qreal>(left, 0));
    } else {
        format.setLeftMargin(paragraph.leftIndent / TwipsPerPixel);
        format.setTextIndent(paragraph.firstIndent / TwipsPerPixel);
    }
    format.setRightMargin(paragraph.rightIndent / TwipsPerPixel);
    format.setTopMargin(paragraph.spaceBefore / TwipsPerPixel);
    format.setBottomMargin(paragraph.spaceAfter / TwipsPerPixel);
    return format;
}

void TRtfParser::EndParagraph(const GroupState& state, bool last) {
    Flush();
    QTextListFormat::Style listStyle = ListStyle(state.paragraph);
    // The empty line after a document's last paragraph mark is no list item.
    if (last && paragraphEnded_ && builder_.BlockIsEmpty())
        listStyle = QTextListFormat::ListStyleUndefined;
    const bool inList = listStyle != QTextListFormat::ListStyleUndefined;
    builder_.FinishBlock(BlockFormat(state.paragraph, inList), listStyle,
                         CharFormat(state.character));
    listText_.clear();
    listTextSymbol_ = false;
    if (!last) {
        builder_.NewBlock();
        paragraphEnded_ = true;
    }
}

bool LooksLikeRtf(QByteArrayView bytes) {
    const QByteArrayView text = bytes.trimmed();
    return text.startsWith("{\\rtf");
}

} // namespace

void ReadRtf(const QByteArray& rtf, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false); // loading is not an edit the user could undo
    document.clear();
    document.setMetaInformation(QTextDocument::DocumentTitle, QString());
    if (LooksLikeRtf(rtf)) {
        TRtfParser(rtf, document).Run();
    } else if (!rtf.isEmpty()) {
        // Not RTF at all: show the bytes as the text they most likely are.
        QStringDecoder utf8(QStringConverter::Utf8);
        QString text = utf8.decode(rtf);
        if (utf8.hasError())
            text = TRtfTextDecoder().Decode(rtf, 1251);
        text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
        text.removeIf([](QChar ch) { return ch.unicode() < 0x20 && ch != u'\t' && ch != u'\n'; });
        document.setPlainText(text);
    }
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}
