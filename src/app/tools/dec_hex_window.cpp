#include "app/tools/dec_hex_window.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/common/latin1.h"
#include "core/editor/dec_hex.h"

namespace tarvex {

DecHexWindow::DecHexWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frm_dechex"));
    setWindowTitle(tr("DEC HEX Converter"));
    auto* form = new QFormLayout(this);
    input_ = new QLineEdit(this);
    input_->setObjectName(QStringLiteral("txt_value"));
    input_->setPlaceholderText(tr("586, 0x24A or 04-092"));
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    decimal_ = label("lbl_dec");
    hex_ = label("lbl_hex");
    afs_ = label("lbl_afs");
    message_ = label("lbl_message");
    message_->setWordWrap(true);
    form->addRow(tr("Value:"), input_);
    form->addRow(tr("Decimal:"), decimal_);
    form->addRow(tr("Hexadecimal:"), hex_);
    form->addRow(tr("EDACS AFS:"), afs_);
    form->addRow(message_);
    connect(input_, &QLineEdit::textChanged, this, &DecHexWindow::convert);
    resize(360, 180);
}

void DecHexWindow::convert() {
    if (input_->text().trimmed().isEmpty()) {
        for (QLabel* l : {decimal_, hex_, afs_, message_}) l->clear();
        return;
    }
    DecHex v = convert_dec_hex(from_q(input_->text()));
    message_->setText(to_q(v.error));
    if (!v.error.empty()) {
        for (QLabel* l : {decimal_, hex_, afs_}) l->clear();
        return;
    }
    decimal_->setText(QString::number(v.decimal));
    hex_->setText(to_q(v.hex));
    afs_->setText(v.afs ? to_q(*v.afs) : tr("(above 2047, no EDACS ID)"));
}

}  // namespace tarvex
