#include "platform/RtfWriter.h"

#include "platform/Cp1252.h"

namespace tk {

namespace {
    void appendHex(QByteArray& out, unsigned char b)
    {
        static const char digits[] = "0123456789abcdef";
        out += "\\'";
        out += digits[b >> 4];
        out += digits[b & 0x0f];
    }
}

QByteArray rtfEscape(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u == u'\n' || u == 0x2028) {
            out += "\\line ";
        } else if (u < 0x20) {
            // Other control characters have no meaning in running text.
        } else if (u < 0x80) {
            out += char(u);
        } else {
            const char b = toCp1252(c);
            if (b != '?') {
                appendHex(out, static_cast<unsigned char>(b));
            } else {
                // \uc1: readers that do not know \u show the "?" that follows.
                out += "\\u";
                out += QByteArray::number(int(qint16(u)));
                out += '?';
            }
        }
    }
    return out;
}

QByteArray writeRtf(const QList<RichLine>& lines, const QString& fontName)
{
    QByteArray out;
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 ";
    out += rtfEscape(fontName);
    out += ";}}\r\n";
    out += "\\viewkind4\\uc1\\pard\\f0";

    // Formatting is written only where it changes, as a word processor saves it.
    int size = -1;
    bool bold = false;
    bool underline = false;
    for (const RichLine& line : lines) {
        QByteArray words;
        if (line.bold != bold) {
            words += line.bold ? "\\b" : "\\b0";
            bold = line.bold;
        }
        if (line.underline != underline) {
            words += line.underline ? "\\ul" : "\\ulnone";
            underline = line.underline;
        }
        if (line.pointSize != size) {
            size = line.pointSize;
            words += "\\fs";
            words += QByteArray::number(qMax(1, size) * 2);
        }
        out += words;
        // A blank ends the control words; it is not part of the text.
        if (!words.isEmpty() || &line == &lines.first())
            out += ' ';
        out += rtfEscape(line.text);
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

} // namespace tk
