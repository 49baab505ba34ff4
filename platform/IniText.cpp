#include "IniText.h"

#include <QStringList>

namespace platform {

namespace {

bool IsPlainInName(char16_t code) {
    return (code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z') ||
           (code >= u'0' && code <= u'9') || code == u'_' || code == u'-' || code == u'.';
}

// Writes at `at` and returns where the writing ended: the callers size the array first, for the
// most that their text can take, which spares an allocation per name and per value.
char* PutHex(unsigned code, int digits, char* at) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        *at++ = Digits[(code >> shift) & 0xF];
    return at;
}

char* PutUtf8(char32_t code, char* at) {
    if (code < 0x80) {
        *at++ = char(code);
    } else if (code < 0x800) {
        *at++ = char(0xC0 | (code >> 6));
        *at++ = char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *at++ = char(0xE0 | (code >> 12));
        *at++ = char(0x80 | ((code >> 6) & 0x3F));
        *at++ = char(0x80 | (code & 0x3F));
    } else {
        *at++ = char(0xF0 | (code >> 18));
        *at++ = char(0x80 | ((code >> 12) & 0x3F));
        *at++ = char(0x80 | ((code >> 6) & 0x3F));
        *at++ = char(0x80 | (code & 0x3F));
    }
    return at;
}

// Runs `put` over `out` grown by `most` bytes, and keeps what it wrote.
template <typename Put> void Append(QByteArray& out, qsizetype most, Put put) {
    const qsizetype start = out.size();
    out.resize(start + most);
    char* const end = put(out.data() + start);
    out.truncate(end - out.constData());
}

// Letters, digits and "_-." stand for themselves in a name; "/" separates its parts; anything
// else is written by its code.
void AppendName(QStringView name, QByteArray& out) {
    Append(out, name.size() * 6, [name](char* at) {
        for (const QChar character : name) {
            const char16_t code = character.unicode();
            if (IsPlainInName(code)) {
                *at++ = char(code);
            } else if (code == u'/') {
                *at++ = '\\';
            } else if (code <= 0xFF) {
                *at++ = '%';
                at = PutHex(code, 2, at);
            } else {
                *at++ = '%';
                *at++ = 'U';
                at = PutHex(code, 4, at);
            }
        }
        return at;
    });
}

bool IsHexDigit(char16_t code) {
    return (code >= u'0' && code <= u'9') || (code >= u'a' && code <= u'f') ||
           (code >= u'A' && code <= u'F');
}

// Quoted where commas (which would make a list), semicolons, equals signs or spaces at the ends
// would not read back as the text's own. A code escape runs on over every hex digit after it, so
// a digit that follows one is escaped too. Qt decodes a text in pieces, between its escapes, and
// drops a byte-order mark that begins a piece: U+FEFF is always escaped.
void AppendText(QStringView text, QByteArray& out) {
    // A text that begins with "@" would read as a value of another type.
    const bool doubleAt = text.startsWith(u'@');
    const bool quoted = text.startsWith(u' ') || text.endsWith(u' ') || text.contains(u',') ||
                        text.contains(u';') || text.contains(u'=');
    Append(out, text.size() * 6 + 3, [text, doubleAt, quoted](char* at) {
        if (quoted)
            *at++ = '"';
        if (doubleAt)
            *at++ = '@';
        bool afterCode = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t code = text[i].unicode();
            if (QChar::isHighSurrogate(code) && i + 1 < text.size() &&
                QChar::isLowSurrogate(text[i + 1].unicode())) {
                at = PutUtf8(QChar::surrogateToUcs4(code, text[++i].unicode()), at);
                afterCode = false;
            } else if (code < 0x20 || code == 0x7F || code == 0xFEFF || QChar::isSurrogate(code) ||
                       (afterCode && IsHexDigit(code))) {
                *at++ = '\\';
                *at++ = 'x';
                at = PutHex(code, 4, at);
                afterCode = true;
            } else {
                if (code == u'"' || code == u'\\')
                    *at++ = '\\';
                at = PutUtf8(code, at);
                afterCode = false;
            }
        }
        if (quoted)
            *at++ = '"';
        return at;
    });
}

void AppendValue(const QVariant& value, QByteArray& out) {
    if (value.typeId() == QMetaType::QString) {
        AppendText(value.toString(), out);
        return;
    }
    const QStringList texts = value.toStringList();
    if (texts.isEmpty())
        out += "@Invalid()";
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ", ";
        AppendText(texts[i], out);
    }
}

bool IsWritten(const QVariant& value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QStringList;
}

} // namespace

// Names without a "/" go under "[General]"; the others under their first part, as Qt writes
// them: Qt finds the lines of a key by that part alone. Sorted order keeps each section's names
// together.
QByteArray IniText(const std::vector<IniValue>& values) {
    QByteArray general;
    QByteArray sections;
    QStringView section;
    for (const auto& [key, value] : values) {
        if (!IsWritten(value))
            continue;
        const QStringView name = key;
        const qsizetype slash = name.indexOf(u'/');
        QByteArray* out = &general;
        if (slash < 0) {
            AppendName(name, general);
        } else {
            out = &sections;
            if (name.first(slash) != section) {
                section = name.first(slash);
                sections += sections.isEmpty() ? "[" : "\n[";
                // A section of that name would read as the one of names without a "/".
                if (section.compare(u"general", Qt::CaseInsensitive) == 0)
                    sections += '%';
                AppendName(section, sections);
                sections += "]\n";
            }
            AppendName(name.sliced(slash + 1), sections);
        }
        *out += '=';
        AppendValue(value, *out);
        *out += '\n';
    }
    if (general.isEmpty())
        return sections;
    return "[General]\n" + general + (sections.isEmpty() ? "" : "\n") + sections;
}

} // namespace platform
