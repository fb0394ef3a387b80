#include "app/editor/form_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvex {

QPushButton* add_form_title(QWidget* form, QVBoxLayout* outer, QLabel*& title) {
    auto* top = new QHBoxLayout;
    title = new QLabel(form);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title->setFont(f);
    top->addWidget(title, 1);
    auto* save_top = new QPushButton(QObject::tr("Save"), form);
    save_top->setObjectName(QStringLiteral("cmd_save"));
    top->addWidget(save_top);
    outer->addLayout(top);
    return save_top;
}

}  // namespace tarvex
