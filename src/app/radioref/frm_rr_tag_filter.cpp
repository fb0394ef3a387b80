#include "app/radioref/frm_rr_tag_filter.h"

#include <QDialogButtonBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <set>

#include "app/common/latin1.h"
#include "core/base/text.h"
#include "core/radioref/rr_codes.h"
#include "core/radioref/rr_settings.h"

namespace tarvex {

FrmRrTagFilter::FrmRrTagFilter(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), list_(new QTreeWidget) {
    setObjectName("frm_rr_tag_filter");
    setWindowTitle("Service Types");
    list_->setObjectName("lvServiceTypes");
    list_->setHeaderLabels({"Service Type:"});
    list_->setRootIsDecorated(false);
    auto admitted = radioref::load_service_type_filter(settings_);
    for (int n : radioref::service_tag_numbers()) {
        auto* item = new QTreeWidgetItem(list_, {to_q(radioref::ServiceTagName(n))});
        item->setData(0, Qt::UserRole, to_q("st" + fmt3(n)));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, admitted.count(n) ? Qt::Checked : Qt::Unchecked);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &FrmRrTagFilter::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void FrmRrTagFilter::accept() {
    std::set<int> ticked;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        auto* item = list_->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            ticked.insert(static_cast<int>(
                lenient_integer(from_q(item->data(0, Qt::UserRole).toString()).substr(2))));
    }
    radioref::save_service_type_filter(settings_, ticked);
    QDialog::accept();
}

}  // namespace tarvex
