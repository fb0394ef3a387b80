#pragma once
// Pieces the record forms (system, department, site) share.
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace tarvex {

// The line every record form starts with: a bold title and the upper of the form's two Save
// buttons (objectName "cmd_save"). The title label is returned through `title`.
QPushButton* add_form_title(QWidget* form, QVBoxLayout* outer, QLabel*& title);

}  // namespace tarvex
