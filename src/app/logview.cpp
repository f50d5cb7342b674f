#include "app/logview.h"

#include "platform/ansicodec.h"

#include <QMimeData>
#include <QTimer>
#include <QScrollBar>
#include <QTextBlock>

namespace {

// Block user state marking a block that continues the previous block's line.
const int CONTINUATION = 1;
const int LINE_START = 0;

QColor fromBgr(uint32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace

LogView::LogView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false); // a log that grows for hours must not keep an undo history
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(FRAME_MS);
    connect(&m_frameTimer, &QTimer::timeout, this, &LogView::showFrame);
}

void LogView::setInsertFormat(const CharFormat &format)
{
    QTextCharFormat f;
    f.setFontFamilies({ansi::toQString(format.faceName)});
    f.setFontPointSize(format.sizePt);
    f.setFontWeight(format.effects & EFFECT_BOLD ? QFont::Bold : QFont::Normal);
    f.setFontItalic(format.effects & EFFECT_ITALIC);
    f.setFontUnderline(format.effects & EFFECT_UNDERLINE);
    f.setFontStrikeOut(format.effects & EFFECT_STRIKEOUT);
    if (format.offsetPt > 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (format.offsetPt < 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (format.color == DEFAULT_COLOR)
        f.clearForeground();
    else
        f.setForeground(fromBgr(format.color));
    QTextCursor c = textCursor();
    if (c.hasSelection())
        c.setCharFormat(f);
    setCurrentCharFormat(f);
}

void LogView::insertAtCaret(const std::string &bytes)
{
    insertAtCaret(ansi::toQString(bytes));
}

void LogView::insertAtCaret(const QString &text)
{
    QTextCursor c = textCursor();
    const QTextCharFormat format = currentCharFormat();
    c.beginEditBlock();
    if (c.hasSelection())
        c.removeSelectedText();
    c.setCharFormat(format);
    int i = 0;
    if (m_afterCr == c.position() && text.startsWith(QLatin1Char('\n')))
        i = 1; // completes the "\r\n" split across two insertions
    m_afterCr = -1;
    const int n = text.size();
    while (i < n) {
        int end = i;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        insertLine(c, text.mid(i, end - i));
        if (end == n)
            break;
        c.insertBlock();
        c.block().setUserState(LINE_START);
        if (text[end] == QLatin1Char('\r') && end + 1 < n && text[end + 1] == QLatin1Char('\n'))
            ++end;
        else if (text[end] == QLatin1Char('\r') && end + 1 == n)
            m_afterCr = c.position();
        i = end + 1;
    }
    c.endEditBlock();
    holdRepaint();
    // The editor's own cursor was at the insertion point and has moved behind the
    // text with it. Setting it again would scroll (and repaint) at once, per insertion.
}

void LogView::insertLine(QTextCursor &cursor, const QString &segment)
{
    int done = 0;
    while (done < segment.size()) {
        int room = MAX_BLOCK_CHARS - cursor.block().length();
        if (room <= 0) {
            insertContinuationBreak(cursor);
            room = MAX_BLOCK_CHARS;
        }
        const QString part = segment.mid(done, room);
        cursor.insertText(part);
        done += part.size();
    }
}

void LogView::insertContinuationBreak(QTextCursor &cursor)
{
    const int state = cursor.block().userState();
    cursor.insertBlock();
    cursor.block().previous().setUserState(state);
    cursor.block().setUserState(CONTINUATION);
}

void LogView::scrollToBottom()
{
    m_scrollPending = true;
    holdRepaint();
}

// Text arriving at the full speed of a serial line would otherwise be laid out
// and painted once per insertion; the view is brought up to date once per frame.
void LogView::holdRepaint()
{
    if (m_frameTimer.isActive())
        return;
    viewport()->setUpdatesEnabled(false);
    m_frameTimer.start();
}

void LogView::showFrame()
{
    if (m_scrollPending) {
        m_scrollPending = false;
        QScrollBar *bar = verticalScrollBar();
        bar->setValue(bar->maximum());
    }
    viewport()->setUpdatesEnabled(true);
}

QString LogView::logicalText(int from, int to) const
{
    QString out;
    const QTextDocument *doc = document();
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        if (b.position() > from && b.userState() != CONTINUATION)
            out += QStringLiteral("\r\n");
        const int start = std::max(from - b.position(), 0);
        const int end = std::min(to - b.position(), b.length() - 1);
        if (end > start)
            out += b.text().mid(start, end - start);
    }
    return out;
}

std::string LogView::wholeText() const
{
    return ansi::fromQString(logicalText(0, document()->characterCount() - 1));
}

bool LogView::isEmptyText() const
{
    // A line break or any character makes the text non-empty; continuation
    // joints are no text of their own.
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b.length() > 1 || (b != document()->begin() && b.userState() != CONTINUATION))
            return false;
    }
    return true;
}

void LogView::setWholeText(const std::string &bytes)
{
    clear();
    m_afterCr = -1;
    if (!bytes.empty())
        insertAtCaret(bytes);
}

QString LogView::selectedPlainText() const
{
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return QString();
    return logicalText(c.selectionStart(), c.selectionEnd());
}

std::string LogView::selectedText() const
{
    return ansi::fromQString(selectedPlainText());
}

void LogView::deleteSelection()
{
    textCursor().removeSelectedText();
}

int LogView::documentPosition(int logicalPosition) const
{
    // Logical positions count a line break as one character and the joints of
    // continuation blocks as none.
    int logical = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        if (b != document()->begin() && b.userState() != CONTINUATION)
            ++logical;
        const int length = b.length() - 1;
        if (logicalPosition <= logical + length)
            return b.position() + std::max(logicalPosition - logical, 0);
        logical += length;
    }
    return document()->characterCount() - 1;
}

void LogView::select(int start, int length)
{
    QTextCursor c = textCursor();
    c.setPosition(documentPosition(std::max(start, 0)));
    c.setPosition(documentPosition(std::max(start + length, 0)), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QMimeData *LogView::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selectedPlainText());
    return data;
}

void LogView::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    insertAtCaret(source->text());
    ensureCursorVisible();
}
