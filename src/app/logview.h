#pragma once

#include "terminal/charformat.h"

#include <QPlainTextEdit>
#include <QTimer>

#include <string>

// The log: plain text coloured by character formats. Every writer sets an
// insertion format and inserts at the caret; text travels as GBK bytes with
// "\r\n" between lines.
//
// A logical line longer than MAX_BLOCK_CHARS is held as several text blocks,
// the later ones marked as continuations, because the editor lays out a whole
// block again on every edit and a long block would make each insertion slower.
// Every read (whole text, selection, copy, cut, drag) joins them back.
class LogView : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int MAX_BLOCK_CHARS = 1024;
    // Writes are shown (laid out, scrolled, painted) at most once per frame.
    static constexpr int FRAME_MS = 25;

    explicit LogView(QWidget *parent = nullptr);

    void setInsertFormat(const CharFormat &format);
    // Replaces the selection by the text; "\r\n", "\r" and "\n" are line breaks.
    void insertAtCaret(const std::string &bytes);
    void insertAtCaret(const QString &text);
    // Scrolls to the end at the next frame; the caret and the selection stay.
    void scrollToBottom();

    std::string wholeText() const;
    // True when the whole text is empty; does not read the text.
    bool isEmptyText() const;
    void setWholeText(const std::string &bytes);
    std::string selectedText() const;
    QString selectedPlainText() const;
    void deleteSelection();
    // Start and length in characters of the text as read, a line break counting one.
    void select(int start, int length);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    // Pasted and dropped text goes in like any other insertion, in short blocks.
    void insertFromMimeData(const QMimeData *source) override;

private:
    QString logicalText(int from, int to) const;
    int documentPosition(int logicalPosition) const;
    void insertLine(QTextCursor &cursor, const QString &segment);
    void insertContinuationBreak(QTextCursor &cursor);
    void holdRepaint();
    void showFrame();

    // Position just behind a "\r" ending the last insertion, so that a "\n"
    // arriving with the next insertion completes that break instead of adding one.
    int m_afterCr = -1;
    bool m_scrollPending = false;
    QTimer m_frameTimer;
};
