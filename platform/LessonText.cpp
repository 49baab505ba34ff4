#include "LessonText.h"

#include <QStringDecoder>
#include <array>
#include <unordered_map>

namespace platform {

namespace {

// The code page as a table, made once from Qt's converter: looking the code page up by name
// for every text costs far more than converting a short text.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    std::unordered_map<char16_t, char> fromUnicode;

    CodePage() {
        QStringDecoder decoder("windows-1250");
        for (int byte = 0; byte < 256; ++byte) {
            const char single = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&single, 1));
            decoder.resetState();
            const bool defined = decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter;
            toUnicode[size_t(byte)] = defined ? decoded[0].unicode() : u'\uFFFD';
            if (defined)
                fromUnicode.emplace(decoded[0].unicode(), single);
        }
    }
};

const CodePage& Windows1250() {
    static const CodePage page;
    return page;
}

} // namespace

QString FromLessonText(const std::string& bytes) {
    const CodePage& page = Windows1250();
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    for (size_t i = 0; i < bytes.size(); ++i)
        text[qsizetype(i)] = QChar(page.toUnicode[uint8_t(bytes[i])]);
    return text;
}

std::optional<std::string> ToLessonText(const QString& text) {
    const CodePage& page = Windows1250();
    std::string bytes(size_t(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto found = page.fromUnicode.find(text[i].unicode());
        if (found == page.fromUnicode.end())
            return std::nullopt;
        bytes[size_t(i)] = found->second;
    }
    return bytes;
}

} // namespace platform
