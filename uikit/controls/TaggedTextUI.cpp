#include "uikit/controls/TaggedTextUI.h"

#include <algorithm>
#include <map>

#include "uikit/controls/ExtentUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

constexpr std::u16string_view kTagLetters = u"abcfinprsuvxy";
// Larger faces than any screen shows; the text engine is not asked for absurd sizes.
constexpr int kMaxTaggedFontSize = 512;

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && s.front() <= u' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() <= u' ') {
        s.remove_suffix(1);
    }
    return s;
}

class Parser {
  public:
    explicit Parser(std::u16string_view text) : text_(text) {}

    TaggedTextUI Run() {
        size_t i = 0;
        while (i < text_.size()) {
            i = Step(i);
        }
        Flush();
        return std::move(out_);
    }

  private:
    // Where the next closing bracket of a kind stands at or after `from`. The scan goes forward
    // only, and every search starts at or after the last one, so a run of unmatched openers is
    // read once instead of once per opener.
    size_t NextClose(char16_t close, size_t from) {
        size_t& cached = close == u'>' ? nextAngle_ : nextBrace_;
        if (cached == kUnsearched || (cached != std::u16string_view::npos && cached < from)) {
            cached = text_.find(close, from);
        }
        return cached;
    }

    size_t Step(size_t i) {
        const char16_t c = text_[i];
        if (c != u'<' && c != u'{') {
            pending_ += c;
            return i + 1;
        }
        const char16_t close = c == u'<' ? u'>' : u'}';
        const char16_t other = c == u'<' ? u'{' : u'<';
        // One bracket of the other kind, enclosed, prints literally.
        if (i + 2 < text_.size() &&
            (text_[i + 1] == other || text_[i + 1] == (other == u'<' ? u'>' : u'}')) &&
            text_[i + 2] == close) {
            pending_ += text_[i + 1];
            return i + 3;
        }
        const size_t end = NextClose(close, i + 1);
        if (end == std::u16string_view::npos) {
            pending_ += c;
            return i + 1;
        }
        std::u16string_view body = text_.substr(i + 1, end - i - 1);
        const bool closing = !body.empty() && body.front() == u'/';
        if (closing) {
            body.remove_prefix(1);
        }
        if (body.empty() || kTagLetters.find(body.front()) == std::u16string_view::npos ||
            (body.size() > 1 && body[1] > u' ')) {
            pending_ += c;
            return i + 1;
        }
        Flush();
        const char16_t tag = body.front();
        if (closing) {
            Close(tag);
            return end + 1;
        }
        if (tag == u'r') {
            return Raw(end + 1, close);
        }
        Open(tag, Trim(body.substr(1)));
        return end + 1;
    }

    // Raw text runs to the matching closing tag, tags inside included.
    size_t Raw(size_t from, char16_t close) {
        const std::u16string closer =
            close == u'>' ? std::u16string(u"</r>") : std::u16string(u"{/r}");
        const size_t end = text_.find(closer, from);
        const size_t stop = end == std::u16string_view::npos ? text_.size() : end;
        pending_.append(text_.substr(from, stop - from));
        Flush();
        return end == std::u16string_view::npos ? text_.size() : end + closer.size();
    }

    void Open(char16_t tag, std::u16string_view args) {
        switch (tag) {
            case u'n':
                Add(TaggedRunUI::Kind::LineBreak);
                return;
            case u'i':
                Add(TaggedRunUI::Kind::Image, std::u16string(args));
                return;
            case u'x':
                Add(TaggedRunUI::Kind::MoveX, {}, ClampExtent(ParseInt(args)));
                return;
            default:
                break;
        }
        saved_[tag].push_back(style_);
        switch (tag) {
            case u'a':
                style_.link = static_cast<int>(out_.links.size());
                out_.links.emplace_back(args);
                break;
            case u'b':
                style_.bold = true;
                break;
            case u'c':
                style_.color = ParseColor(args);
                break;
            case u'f':
                OpenFont(args);
                break;
            case u'p':
                if (!out_.runs.empty()) {
                    Add(TaggedRunUI::Kind::LineBreak);
                }
                style_.indent = ClampExtent(ParseInt(args));
                break;
            case u's':
                style_.selected = true;
                break;
            case u'u':
                style_.underline = true;
                break;
            case u'v':
                style_.valign = args == u"center" ? u'c' : args == u"top" ? u't' : u'b';
                break;
            case u'y':
                style_.lineHeight = ClampExtent(ParseInt(args));
                break;
            default:
                break;
        }
    }

    // "f 160" is a font id; "f Face 14 bold" a face and size, with optional style words.
    void OpenFont(std::u16string_view args) {
        const bool id =
            !args.empty() && args.find_first_not_of(u"0123456789") == std::u16string_view::npos;
        if (id) {
            style_.fontId = ParseInt(args);
            return;
        }
        const size_t space = args.find(u' ');
        style_.fontFace = args.substr(0, space);
        if (space == std::u16string_view::npos) {
            return;
        }
        std::u16string_view rest = Trim(args.substr(space + 1));
        style_.fontSize = std::clamp(ParseInt(rest), 0, kMaxTaggedFontSize);
        style_.bold = style_.bold || rest.find(u"bold") != std::u16string_view::npos;
        style_.underline = style_.underline || rest.find(u"underline") != std::u16string_view::npos;
        style_.italic = style_.italic || rest.find(u"italic") != std::u16string_view::npos;
    }

    void Close(char16_t tag) {
        auto& stack = saved_[tag];
        if (stack.empty()) {
            return;
        }
        style_ = stack.back();
        stack.pop_back();
        if (tag == u'p') {
            Add(TaggedRunUI::Kind::LineBreak);
        }
    }

    void Add(TaggedRunUI::Kind kind, std::u16string text = {}, int amount = 0) {
        out_.runs.push_back(TaggedRunUI{kind, std::move(text), amount, style_});
    }

    void Flush() {
        if (!pending_.empty()) {
            Add(TaggedRunUI::Kind::Text, std::move(pending_));
            pending_.clear();
        }
    }

    std::u16string_view text_;
    static constexpr size_t kUnsearched = std::u16string_view::npos - 1;
    size_t nextAngle_ = kUnsearched;
    size_t nextBrace_ = kUnsearched;
    TaggedTextUI out_;
    TaggedStyleUI style_;
    std::u16string pending_;
    std::map<char16_t, std::vector<TaggedStyleUI>> saved_;
};

}  // namespace

TaggedTextUI TaggedTextUI::Parse(std::u16string_view text) {
    return Parser(text).Run();
}

std::u16string TaggedTextUI::PlainText() const {
    std::u16string plain;
    for (const TaggedRunUI& run : runs) {
        if (run.kind == TaggedRunUI::Kind::Text) {
            plain += run.text;
        } else if (run.kind == TaggedRunUI::Kind::LineBreak) {
            plain += u'\n';
        }
    }
    return plain;
}

}  // namespace uikit
