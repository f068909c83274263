#include "platform/gui/RtfReader.h"

#include <QColor>
#include <QFile>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "platform/Cp1252.h"

namespace tk {

namespace {

    constexpr int kMaxDepth = 200; // deeper groups share the state of the deepest one
    constexpr int kMaxWord = 32;
    constexpr int kMaxUnicodeSkip = 16;

    enum class Dest { Text, Skip, FontTable, ColourTable };

    struct State {
        Dest dest = Dest::Text;
        int font = -1;
        int halfPoints = 24;
        bool bold = false, italic = false, underline = false;
        int fg = 0, bg = 0;
        int uc = 1;
        Qt::Alignment align = Qt::AlignLeft;
        int leftTw = 0, rightTw = 0, firstTw = 0, beforeTw = 0, afterTw = 0;

        void plain()
        {
            font = -1;
            halfPoints = 24;
            bold = italic = underline = false;
            fg = bg = 0;
        }
        void pard()
        {
            align = Qt::AlignLeft;
            leftTw = rightTw = firstTw = beforeTw = afterTw = 0;
        }
    };

    bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }
    qreal twipsToPixels(int tw) { return tw / 15.0; } // 1440 twips per inch at 96 dots

    // Destinations that hold no text for the reader.
    bool skippedDestination(const QByteArray& w)
    {
        static const char* const names[] = { "pict", "info", "stylesheet", "header", "headerl", "headerr",
            "headerf", "footer", "footerl", "footerr", "footerf", "object", "themedata", "colorschememapping",
            "latentstyles", "datastore", "xmlnstbl", "listtable", "listoverridetable", "rsidtbl", "generator",
            "fldinst", "nonshppict", "footnote", "annotation", "pgdsctbl", "filetbl", "revtbl", "mmathPr",
            "bkmkstart", "bkmkend", "shpinst", "pn", "template", "userprops", "docvar", "xe", "tc", "atnid",
            "atnauthor", "private", "objdata", "panose", "falt", "fontemb", "fontfile", "blipuid" };
        for (const char* n : names)
            if (w == n)
                return true;
        return false;
    }

    class Reader {
    public:
        Reader(const QByteArray& in, QTextDocument& doc)
            : m_in(in)
            , m_doc(doc)
            , m_cursor(&doc)
        {
            m_stack.push_back(State {});
        }

        void run()
        {
            const qsizetype n = m_in.size();
            while (m_pos < n) {
                const char c = m_in.at(m_pos++);
                switch (c) {
                case '{':
                    flush();
                    m_skipChars = 0;
                    if (int(m_stack.size()) < kMaxDepth)
                        m_stack.push_back(m_stack.back());
                    else
                        ++m_overflow;
                    m_groupStart = true;
                    continue;
                case '}':
                    flush();
                    m_skipChars = 0;
                    endGroup();
                    break;
                case '\\':
                    controlWord();
                    break;
                case '\r':
                case '\n':
                    break;
                default:
                    if (uchar(c) >= 0x20)
                        textByte(c);
                    break;
                }
                m_groupStart = false;
            }
            flush();
            finish();
        }

    private:
        State& st() { return m_stack.back(); }

        void endGroup()
        {
            if (m_overflow > 0) {
                --m_overflow;
                return;
            }
            if (m_stack.size() <= 1)
                return; // an unmatched closing brace
            const State closing = m_stack.back();
            m_stack.pop_back();
            if (closing.dest == Dest::FontTable && m_stack.back().dest != Dest::FontTable)
                storeFontName();
        }

        void textByte(char c)
        {
            if (m_skipChars > 0) {
                --m_skipChars;
                return;
            }
            switch (st().dest) {
            case Dest::Skip:
                return;
            case Dest::FontTable:
                if (c == ';')
                    storeFontName();
                else
                    m_fontName += fromCp1252(&c, 1);
                return;
            case Dest::ColourTable:
                if (c == ';') {
                    m_colours.append(m_colourSet ? QColor(m_red, m_green, m_blue) : QColor());
                    m_red = m_green = m_blue = 0;
                    m_colourSet = false;
                }
                return;
            case Dest::Text:
                m_text += fromCp1252(&c, 1);
                return;
            }
        }

        void textChar(const QString& s)
        {
            if (st().dest == Dest::Text)
                m_text += s;
            else if (st().dest == Dest::FontTable)
                m_fontName += s;
        }

        void storeFontName()
        {
            QString name = m_fontName.trimmed();
            if (name.endsWith(u';'))
                name.chop(1);
            if (m_tableFont >= 0 && !name.isEmpty() && !m_fonts.contains(m_tableFont))
                m_fonts.insert(m_tableFont, name);
            m_fontName.clear();
        }

        void controlWord()
        {
            const qsizetype n = m_in.size();
            if (m_pos >= n)
                return;
            const char c = m_in.at(m_pos);
            if (!isLetter(c)) {
                ++m_pos;
                controlSymbol(c);
                return;
            }
            QByteArray word;
            while (m_pos < n && isLetter(m_in.at(m_pos))) {
                if (word.size() < kMaxWord)
                    word += m_in.at(m_pos);
                ++m_pos;
            }
            bool hasParam = false;
            bool negative = false;
            long long param = 0;
            if (m_pos < n && m_in.at(m_pos) == '-' && m_pos + 1 < n && m_in.at(m_pos + 1) >= '0'
                && m_in.at(m_pos + 1) <= '9') {
                negative = true;
                ++m_pos;
            }
            while (m_pos < n && m_in.at(m_pos) >= '0' && m_in.at(m_pos) <= '9') {
                hasParam = true;
                if (param < 100000000000LL)
                    param = param * 10 + (m_in.at(m_pos) - '0');
                ++m_pos;
            }
            if (m_pos < n && m_in.at(m_pos) == ' ')
                ++m_pos;
            param = std::clamp(negative ? -param : param, -2147483647LL, 2147483647LL);
            const bool groupStart = m_groupStart;
            m_groupStart = false;
            if (m_skipChars > 0 && word != "bin") {
                --m_skipChars;
                return;
            }
            apply(word, hasParam, int(param), groupStart);
        }

        void controlSymbol(char c)
        {
            if (c == '\'') {
                const qsizetype n = m_in.size();
                int v = 0;
                int digits = 0;
                while (digits < 2 && m_pos < n && hexValue(m_in.at(m_pos)) >= 0) {
                    v = v * 16 + hexValue(m_in.at(m_pos++));
                    ++digits;
                }
                if (digits == 0)
                    return;
                if (m_skipChars > 0) {
                    --m_skipChars;
                    return;
                }
                const char b = char(v);
                if (st().dest == Dest::FontTable)
                    m_fontName += fromCp1252(&b, 1);
                else if (st().dest == Dest::Text)
                    m_text += fromCp1252(&b, 1);
                return;
            }
            if (c == '*') {
                st().dest = Dest::Skip;
                return;
            }
            if (m_skipChars > 0) {
                --m_skipChars;
                return;
            }
            switch (c) {
            case '\\':
            case '{':
            case '}':
                textByte(c);
                break;
            case '~':
                textChar(QString(QChar(0x00A0)));
                break;
            case '_':
                textChar(QString(QChar(0x2011)));
                break;
            case '\r':
            case '\n':
                paragraph();
                break;
            case '\t':
                textChar(QStringLiteral("\t"));
                break;
            default:
                break; // \- optional hyphen, \| and \: formula marks
            }
        }

        void apply(const QByteArray& w, bool hasParam, int p, bool groupStart)
        {
            State& s = st();
            if (w == "bin") {
                // Raw binary data of the given length follows.
                const qsizetype left = m_in.size() - m_pos;
                m_pos += std::clamp<qsizetype>(hasParam ? p : 0, 0, left);
                return;
            }
            if (groupStart && skippedDestination(w)) {
                s.dest = Dest::Skip;
                return;
            }
            if (w == "fonttbl") {
                flush();
                s.dest = Dest::FontTable;
                return;
            }
            if (w == "colortbl") {
                flush();
                s.dest = Dest::ColourTable;
                return;
            }
            if (s.dest == Dest::Skip)
                return;
            if (s.dest == Dest::FontTable) {
                if (w == "f") {
                    storeFontName();
                    m_tableFont = p;
                }
                return;
            }
            if (s.dest == Dest::ColourTable) {
                const int v = std::clamp(p, 0, 255);
                if (w == "red")
                    m_red = v, m_colourSet = true;
                else if (w == "green")
                    m_green = v, m_colourSet = true;
                else if (w == "blue")
                    m_blue = v, m_colourSet = true;
                return;
            }

            // Text and the properties of what follows.
            if (w == "par" || w == "sect" || w == "page" || w == "row") {
                paragraph();
            } else if (w == "line") {
                textChar(QString(QChar(QChar::LineSeparator)));
            } else if (w == "tab" || w == "cell") {
                textChar(QStringLiteral("\t"));
            } else if (w == "u" && hasParam) {
                int code = p;
                if (code < 0)
                    code += 65536;
                if (code >= 0 && code <= 0xFFFF) {
                    textChar(QString(QChar(static_cast<char16_t>(code))));
                }
                m_skipChars = s.uc;
            } else if (w == "uc") {
                s.uc = std::clamp(p, 0, kMaxUnicodeSkip);
            } else if (w == "emdash") {
                textChar(QString(QChar(0x2014)));
            } else if (w == "endash") {
                textChar(QString(QChar(0x2013)));
            } else if (w == "bullet") {
                textChar(QString(QChar(0x2022)));
            } else if (w == "lquote") {
                textChar(QString(QChar(0x2018)));
            } else if (w == "rquote") {
                textChar(QString(QChar(0x2019)));
            } else if (w == "ldblquote") {
                textChar(QString(QChar(0x201C)));
            } else if (w == "rdblquote") {
                textChar(QString(QChar(0x201D)));
            } else if (w == "emspace" || w == "enspace" || w == "qmspace") {
                textChar(QStringLiteral(" "));
            } else {
                flush();
                property(w, hasParam, p);
            }
        }

        void property(const QByteArray& w, bool hasParam, int p)
        {
            State& s = st();
            const bool on = !hasParam || p != 0;
            if (w == "deff")
                m_defaultFont = p;
            else if (w == "plain")
                s.plain();
            else if (w == "pard")
                s.pard();
            else if (w == "f")
                s.font = p;
            else if (w == "fs")
                s.halfPoints = hasParam ? std::clamp(p, 2, 3276) : 24;
            else if (w == "b")
                s.bold = on;
            else if (w == "i")
                s.italic = on;
            else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth" || w == "uldash")
                s.underline = on;
            else if (w == "ulnone")
                s.underline = false;
            else if (w == "cf")
                s.fg = std::max(0, p);
            else if (w == "cb" || w == "highlight" || w == "chcbpat")
                s.bg = std::max(0, p);
            else if (w == "ql")
                s.align = Qt::AlignLeft;
            else if (w == "qr")
                s.align = Qt::AlignRight;
            else if (w == "qc")
                s.align = Qt::AlignHCenter;
            else if (w == "qj")
                s.align = Qt::AlignJustify;
            else if (w == "li")
                s.leftTw = std::clamp(p, -31680, 31680);
            else if (w == "ri")
                s.rightTw = std::clamp(p, -31680, 31680);
            else if (w == "fi")
                s.firstTw = std::clamp(p, -31680, 31680);
            else if (w == "sb")
                s.beforeTw = std::clamp(p, 0, 31680);
            else if (w == "sa")
                s.afterTw = std::clamp(p, 0, 31680);
        }

        QTextCharFormat charFormat() const
        {
            const State& s = m_stack.back();
            QTextCharFormat f;
            const int font = s.font >= 0 ? s.font : m_defaultFont;
            if (auto it = m_fonts.constFind(font); it != m_fonts.cend())
                f.setFontFamilies({ it.value() });
            f.setFontPointSize(s.halfPoints / 2.0);
            f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
            f.setFontItalic(s.italic);
            f.setFontUnderline(s.underline);
            if (s.fg > 0 && s.fg < m_colours.size() && m_colours.at(s.fg).isValid())
                f.setForeground(m_colours.at(s.fg));
            if (s.bg > 0 && s.bg < m_colours.size() && m_colours.at(s.bg).isValid())
                f.setBackground(m_colours.at(s.bg));
            return f;
        }

        QTextBlockFormat blockFormat() const
        {
            const State& s = m_stack.back();
            QTextBlockFormat b;
            b.setAlignment(s.align);
            b.setLeftMargin(twipsToPixels(s.leftTw));
            b.setRightMargin(twipsToPixels(s.rightTw));
            b.setTextIndent(twipsToPixels(s.firstTw));
            b.setTopMargin(twipsToPixels(s.beforeTw));
            b.setBottomMargin(twipsToPixels(s.afterTw));
            return b;
        }

        void flush()
        {
            if (m_text.isEmpty())
                return;
            if (!m_started) {
                // The first paragraph takes its format and its empty-line font from the first text.
                m_cursor.setBlockCharFormat(charFormat());
                m_started = true;
            }
            m_cursor.insertText(m_text, charFormat());
            m_text.clear();
            m_pendingEmpty = false;
        }

        void paragraph()
        {
            if (st().dest != Dest::Text)
                return;
            flush();
            m_cursor.setBlockFormat(blockFormat());
            if (!m_started)
                m_cursor.setBlockCharFormat(charFormat());
            m_cursor.insertBlock(blockFormat(), charFormat());
            m_started = true;
            m_pendingEmpty = true;
        }

        void finish()
        {
            QTextBlock last = m_doc.lastBlock();
            if (m_pendingEmpty && last.length() <= 1 && m_doc.blockCount() > 1) {
                // The closing \par of a file ends its last paragraph; it adds no empty one.
                QTextCursor c(&m_doc);
                c.movePosition(QTextCursor::End);
                c.deletePreviousChar();
            } else {
                m_cursor.setBlockFormat(blockFormat());
            }
        }

        const QByteArray& m_in;
        QTextDocument& m_doc;
        QTextCursor m_cursor;
        qsizetype m_pos = 0;
        std::vector<State> m_stack;
        int m_overflow = 0;
        bool m_groupStart = false;
        int m_skipChars = 0;
        QString m_text;
        bool m_started = false;
        bool m_pendingEmpty = false;

        int m_defaultFont = 0;
        QHash<int, QString> m_fonts;
        int m_tableFont = -1;
        QString m_fontName;
        QList<QColor> m_colours;
        int m_red = 0, m_green = 0, m_blue = 0;
        bool m_colourSet = false;
    };

    bool looksLikeRtf(const QByteArray& b)
    {
        qsizetype i = 0;
        while (i < b.size() && (b.at(i) == ' ' || b.at(i) == '\r' || b.at(i) == '\n' || b.at(i) == '\t'))
            ++i;
        return b.mid(i, 5) == "{\\rtf";
    }
}

void readRtf(const QByteArray& rtf, QTextDocument& doc)
{
    doc.clear();
    if (!looksLikeRtf(rtf)) {
        doc.setPlainText(fromCp1252(rtf));
        return;
    }
    doc.setUndoRedoEnabled(false);
    Reader(rtf, doc).run();
}

bool loadRtfFile(const QString& path, QTextDocument& doc)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    readRtf(f.readAll(), doc);
    return true;
}

} // namespace tk
