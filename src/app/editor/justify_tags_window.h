#pragma once
// "Justify Alpha Tags:": an alignment or a case conversion applied to the chosen kinds of names
// over the whole store (system, site and group names, channel and talkgroup alpha tags).
#include <QDialog>

class QCheckBox;
class QRadioButton;
class QTabWidget;

namespace tarvex {

class EditingSession;

class JustifyTagsWindow : public QDialog {
    Q_OBJECT
  public:
    explicit JustifyTagsWindow(EditingSession& session, QWidget* parent = nullptr);

    // "Apply": runs the transform of the page shown over the ticked kinds, then closes.
    void apply();

    QTabWidget* pages() const { return pages_; }

  signals:
    // Names or tags changed: the browser and the open editor must show them.
    void applied();

  private:
    EditingSession& session_;
    QTabWidget* pages_ = nullptr;
    QRadioButton* align_[3] = {};
    QRadioButton* case_[3] = {};
    QCheckBox* systems_ = nullptr;
    QCheckBox* sites_ = nullptr;
    QCheckBox* groups_ = nullptr;
    QCheckBox* conv_ = nullptr;
    QCheckBox* talkgroups_ = nullptr;
};

}  // namespace tarvex
