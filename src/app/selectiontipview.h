#pragma once

#include <QObject>
#include <QTimer>

#include <string>

class LogView;
class QAction;

// The conversion balloons over the log's selection: every token in hex,
// decimal and binary when the left button is released over the log, and the
// whole selection as one number from the menu item "合并转10进制".
class SelectionTipView : public QObject
{
    Q_OBJECT
public:
    SelectionTipView(LogView &log, QAction &mergeAction, QObject *parent = nullptr);

    void showTokenTip();
    void showMergeTip();

signals:
    // The text (GBK, "\r\n" between rows) of each balloon as it pops up.
    void tipShown(const std::string &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void popUp(const std::string &text);
    void showPending();

    LogView &m_log;
    QWidget *m_viewport; // watched for releases; compared, never used once the log goes
    // A balloon waiting for the focus to settle after a popup menu closed.
    std::string m_pending;
    QMetaObject::Connection m_focusWait;
    QTimer m_settleTimer;
};
