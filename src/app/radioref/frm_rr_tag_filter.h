#pragma once
// The service-type filter (frm_rr_tag_filter): one tick box per named service tag. Ticked tags
// are the ones the import window ticks by default in its frequency list.
#include <QDialog>

class QTreeWidget;

namespace tarvex {

class Settings;

class FrmRrTagFilter : public QDialog {
    Q_OBJECT
  public:
    explicit FrmRrTagFilter(Settings& settings, QWidget* parent = nullptr);
    QTreeWidget* list() const { return list_; }

  public slots:
    void accept() override;

  private:
    Settings& settings_;
    QTreeWidget* list_;
};

}  // namespace tarvex
