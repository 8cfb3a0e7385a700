#include "widget_controls.h"

#include "main_window/check_list_box.h"
#include "main_window/log_memo.h"
#include "main_window/main_window_ui.h"
#include "main_window/spin_edit.h"
#include "main_window/text_buffer_memo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace rx42 {

LineEditControl::LineEditControl(QLineEdit* edit) : QObject(edit), edit_(edit) {}
QString LineEditControl::text() const { return edit_->text(); }
void LineEditControl::set_text(const QString& text) { edit_->setText(text); }

LabelControl::LabelControl(QLabel* label) : QObject(label), label_(label) {}
QString LabelControl::text() const { return label_->text(); }
void LabelControl::set_text(const QString& text) { label_->setText(text); }

MemoTextControl::MemoTextControl(TextBufferMemo* memo) : QObject(memo), memo_(memo) {}
QString MemoTextControl::text() const { return memo_->text(); }
void MemoTextControl::set_text(const QString& text) { memo_->set_text(text); }

CheckBoxControl::CheckBoxControl(QCheckBox* box) : QObject(box), box_(box) {}
bool CheckBoxControl::checked() const { return box_->isChecked(); }
void CheckBoxControl::set_checked(bool checked) { box_->setChecked(checked); }

WidgetEnabledControl::WidgetEnabledControl(QWidget* widget) : QObject(widget), widget_(widget) {}
bool WidgetEnabledControl::enabled() const { return !widget_->testAttribute(Qt::WA_ForceDisabled); }
void WidgetEnabledControl::set_enabled(bool enabled) { widget_->setEnabled(enabled); }

SpinEditControl::SpinEditControl(SpinEdit* spin) : QObject(spin), spin_(spin) {}
int SpinEditControl::minimum() const { return spin_->minimum(); }
int SpinEditControl::maximum() const { return spin_->maximum(); }
QString SpinEditControl::text() const { return spin_->text(); }
int SpinEditControl::value() const { return spin_->value(); }
void SpinEditControl::set_value(int value) { spin_->set_value(value); }

ListWidgetControl::ListWidgetControl(QListWidget* list) : QObject(list), list_(list) {}

QStringList ListWidgetControl::items() const
{
    QStringList texts;
    for (int i = 0; i < list_->count(); ++i)
        texts.append(list_->item(i)->text());
    return texts;
}

void ListWidgetControl::set_items(const QStringList& items)
{
    list_->clear();
    list_->addItems(items);
}

CheckListBoxControl::CheckListBoxControl(CheckListBox* list) : QObject(list), list_(list) {}
int CheckListBoxControl::count() const { return list_->count(); }

QString CheckListBoxControl::item(int index) const
{
    const QListWidgetItem* entry = list_->item(index);
    return entry ? entry->text() : QString();
}

bool CheckListBoxControl::checked(int index) const { return list_->checked(index); }
void CheckListBoxControl::set_checked(int index, bool checked) { list_->set_checked(index, checked); }

LogMemoControl::LogMemoControl(LogMemo* memo) : QObject(memo), memo_(memo) {}
void LogMemoControl::append_line(const QString& line) { memo_->append_line(line); }

TradingControls bind_trading_controls(MainWindowUi& ui)
{
    TradingControls c;
    c.e_cell_price = new LineEditControl(ui.e_cell_price);
    c.e_buy_price = new LineEditControl(ui.e_buy_price);
    c.e_porog = new LineEditControl(ui.e_porog);
    c.e_message = new LineEditControl(ui.e_message);
    c.chbx_auto = new CheckBoxControl(ui.chbx_auto);
    c.chbx_autobuy = new CheckBoxControl(ui.chbx_autobuy);
    c.GroupBox2 = new WidgetEnabledControl(ui.GroupBox2);
    c.Label4 = new LabelControl(ui.Label4);

    c.se_start = new SpinEditControl(ui.se_start);
    c.se_switcher = new SpinEditControl(ui.se_switcher);
    c.se_buy_price = new SpinEditControl(ui.se_buy_price);
    c.se_cell_price = new SpinEditControl(ui.se_cell_price);
    c.se_buy = new SpinEditControl(ui.se_buy);
    c.se_buy_all = new SpinEditControl(ui.se_buy_all);
    c.se_buy_eth = new SpinEditControl(ui.se_buy_eth);
    c.se_curr_switcher = new SpinEditControl(ui.se_curr_switcher);
    c.se_fake1 = new SpinEditControl(ui.se_fake1);
    c.se_fake2 = new SpinEditControl(ui.se_fake2);
    c.chbx_sound = new CheckBoxControl(ui.chbx_sound);
    c.chklst1 = new CheckListBoxControl(ui.chklst1);
    c.LstCurr = new ListWidgetControl(ui.LstCurr);
    c.chbx_prot = new CheckBoxControl(ui.chbx_prot);
    c.mmo_log = new LogMemoControl(ui.mmo_log);
    c.Memo_html = new MemoTextControl(ui.Memo_html);
    c.e_script = new LineEditControl(ui.e_script);
    return c;
}

}  // namespace rx42
