#include "app/editor/justify_tags_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/common/latin1.h"
#include "core/editor/alpha_tags.h"
#include "core/editor/session.h"

namespace tarvex {

namespace {

QCheckBox* tick(const QString& caption, const QString& name, QWidget* parent) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    return c;
}

}  // namespace

JustifyTagsWindow::JustifyTagsWindow(EditingSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("frm_justify"));
    setWindowTitle(to_q(k_justify_title));
    auto* outer = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("TabStrip1"));

    auto* align_page = new QWidget(pages_);
    auto* al = new QVBoxLayout(align_page);
    const QString align_captions[3] = {tr("Left"), tr("Center"), tr("Right")};
    for (int i = 0; i < 3; ++i) {
        align_[i] = new QRadioButton(align_captions[i], align_page);
        align_[i]->setObjectName(QStringLiteral("opt_align%1").arg(i));
        al->addWidget(align_[i]);
    }
    align_[grid::align_center]->setChecked(true);
    pages_->addTab(align_page, tr("Alignment:"));

    auto* case_page = new QWidget(pages_);
    auto* cl = new QVBoxLayout(case_page);
    const QString case_captions[3] = {tr("Upper case"), tr("Lower case"),
                                      tr("Special ( Sample Text )")};
    for (int i = 0; i < 3; ++i) {
        case_[i] = new QRadioButton(case_captions[i], case_page);
        case_[i]->setObjectName(QStringLiteral("opt_case%1").arg(i));
        cl->addWidget(case_[i]);
    }
    case_[0]->setChecked(true);
    pages_->addTab(case_page, tr("Convert To:"));
    outer->addWidget(pages_);

    systems_ = tick(tr("System Names"), QStringLiteral("chk_systems"), this);
    sites_ = tick(tr("Site Names"), QStringLiteral("chk_sites"), this);
    groups_ = tick(tr("Group Names"), QStringLiteral("chk_groups"), this);
    conv_ = tick(tr("Conv frequencies Names"), QStringLiteral("chk_conv"), this);
    talkgroups_ = tick(tr("Talkgroup Names"), QStringLiteral("chk_talkgroups"), this);
    for (QCheckBox* c : {systems_, sites_, groups_, conv_, talkgroups_}) outer->addWidget(c);

    auto* buttons = new QHBoxLayout;
    auto* apply_button = new QPushButton(tr("Apply"), this);
    apply_button->setObjectName(QStringLiteral("cmd_apply"));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmd_cancel"));
    buttons->addStretch(1);
    buttons->addWidget(apply_button);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(apply_button, &QPushButton::clicked, this, [this] { apply(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void JustifyTagsWindow::apply() {
    TagKinds kinds;
    kinds.systems = systems_->isChecked();
    kinds.sites = sites_->isChecked();
    kinds.groups = groups_->isChecked();
    kinds.channels = conv_->isChecked() || talkgroups_->isChecked();
    if (kinds.any()) {
        TagTransform t;
        if (pages_->currentIndex() == 0) {
            for (int i = 0; i < 3; ++i)
                if (align_[i]->isChecked()) t = TagTransform::alignment(i);
        } else {
            const grid::CaseCode codes[3] = {grid::CaseCode::Upper, grid::CaseCode::Lower,
                                             grid::CaseCode::Special};
            for (int i = 0; i < 3; ++i)
                if (case_[i]->isChecked()) t = TagTransform::letter_case(codes[i]);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        apply_alpha_tags(session_, kinds, t);
        QApplication::restoreOverrideCursor();
        emit applied();
    }
    accept();
}

}  // namespace tarvex
