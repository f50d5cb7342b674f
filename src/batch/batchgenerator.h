#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QPlainTextEdit;
class SettingsStore;
namespace Ui {
class BatchGenerator;
}

// The modal window that writes one request line per device address of a range
// and hands the lines to the main window's loop list. It deletes itself when
// closed; its module type, channel count and address texts live in the
// settings file.
class BatchGenerator : public QDialog
{
    Q_OBJECT
public:
    // `loopList` receives the lines on "加入", which also unchecks `crcBox`.
    BatchGenerator(SettingsStore &store, QPlainTextEdit *loopList, QCheckBox *crcBox, QWidget *parent);
    ~BatchGenerator() override;

    // Creates the window over `parent` and returns when it has been closed.
    static void openModal(SettingsStore &store, QPlainTextEdit *loopList, QCheckBox *crcBox, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class RangeSide { Start, End };

    void onCreated();
    void fillAddressLists(int count);
    void onModuleTypeChosen(int index);
    void onChannelCountChosen(int index);
    void applyRangeRule(RangeSide changed);
    void onDefaultDataClicked();
    void onCustomDataClicked();
    void onGenerateClicked();
    void onAddClicked();

    std::unique_ptr<Ui::BatchGenerator> ui;
    SettingsStore &m_store;
    QPlainTextEdit *m_loopList;
    QCheckBox *m_crcBox;
};
