#pragma once

#include <QPlainTextEdit>
#include <QString>

// Multi-line boxes hold "\n" between lines; the program's texts (loop list,
// generated lines, operation chains, files) hold "\r\n". The conversion in both
// directions, in one place.
inline QString linesOf(const QPlainTextEdit *box)
{
    QString text = box->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

inline void setLines(QPlainTextEdit *box, QString crLfText)
{
    crLfText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(crLfText);
}
