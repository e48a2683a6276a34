// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtDialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/qt/QtConversions.h"

namespace brevanto::platform {

namespace {

QStringList ToQStringList(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines) result << QString::fromStdString(line);
    return result;
}

// A list of lines, with a swatch before each and a second column when the
// control has them; the user picks one line.
QTreeWidget* CreateList(const Control& control, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(control.details.empty() ? 1 : 2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (size_t i = 0; i < control.items.size(); ++i) {
        auto* line = new QTreeWidgetItem(list, QStringList{QString::fromStdString(control.items[i])});
        if (i < control.details.size()) line->setText(1, QString::fromStdString(control.details[i]));
        if (i < control.swatches.size()) {
            QPixmap swatch(12, 12);
            swatch.fill(ToQColor(control.swatches[i]));
            line->setIcon(0, QIcon(swatch));
        }
    }
    if (control.selected >= 0 && control.selected < list->topLevelItemCount())
        list->setCurrentItem(list->topLevelItem(control.selected));
    // Wide enough for the longest line.
    int width = list->frameWidth() * 2;
    for (int column = 0; column < list->columnCount(); ++column) {
        list->resizeColumnToContents(column);
        width += list->columnWidth(column) + 8;
    }
    list->setMinimumWidth(std::min(width, 900));
    return list;
}

// Rows from top to bottom, each made of columns from left to right; a
// control starts a new row, a new column beside the one before it, or goes
// below the control before it in its column.
class ControlGrid {
public:
    explicit ControlGrid(QVBoxLayout* rows) : rows(rows) {}

    // The layout that holds the next control (and its caption), in its place.
    QHBoxLayout* NextCell(const Control& control) {
        if (row == nullptr || (!control.sameRow && !control.below)) {
            row = new QHBoxLayout;
            rows->addLayout(row);
            column = nullptr;
        }
        if (column == nullptr || control.sameRow) {
            column = new QVBoxLayout;
            column->setAlignment(Qt::AlignTop);
            row->addLayout(column);
        }
        auto* cell = new QHBoxLayout;
        column->addLayout(cell);
        return cell;
    }

private:
    QVBoxLayout* rows;
    QHBoxLayout* row = nullptr;
    QVBoxLayout* column = nullptr;
};

QLabel* CreateLabel(const Control& control, QWidget* parent) {
    auto* label = new QLabel(WithLineBreaks(control.caption), parent);
    if (control.fontHeight > 0) {
        QFont font = label->font();
        font.setPixelSize(control.fontHeight);
        label->setFont(font);
    }
    return label;
}

// A plain drop-down list, not an editable one: an editable list chooses the
// entry matching its text whenever it loses the focus, so confirming the
// dialog would choose what the list only shows. Until the user chooses, the
// list shows its text and no entry is chosen.
QComboBox* CreateCombo(const Control& control, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->addItems(ToQStringList(control.items));
    combo->setPlaceholderText(QString::fromStdString(control.text));
    combo->setCurrentIndex(control.selected);
    return combo;
}

}  // namespace

QtDialog::QtDialog(const DialogSpec& spec, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QString::fromStdString(spec.caption));
    ControlGrid grid(new QVBoxLayout(this));
    for (const Control& control : spec.controls) {
        QHBoxLayout* cell = grid.NextCell(control);
        const QString caption = QString::fromStdString(control.caption);
        if ((control.kind == Control::Kind::Edit || control.kind == Control::Kind::Combo) && !caption.isEmpty())
            cell->addWidget(new QLabel(caption, this));
        QWidget* widget = CreateWidget(control);
        // A button keeps its natural width; several in a row spread out evenly.
        cell->addWidget(widget, 0, control.kind == Control::Kind::Button ? Qt::AlignHCenter : Qt::Alignment());
        widgets.push_back(widget);
        if (!control.id.empty() && control.id == spec.focus) {
            widget->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
        }
    }
    const QSize wanted(spec.clientWidth, spec.clientHeight);
    setFixedSize(sizeHint().expandedTo(wanted));
}

QWidget* QtDialog::CreateWidget(const Control& control) {
    switch (control.kind) {
        case Control::Kind::Label: return CreateLabel(control, this);
        case Control::Kind::Edit: return new QLineEdit(QString::fromStdString(control.text), this);
        case Control::Kind::Combo: return CreateCombo(control, this);
        case Control::Kind::Radio: {
            auto* radio = new QRadioButton(QString::fromStdString(control.caption), this);
            if (radios == nullptr) radios = new QButtonGroup(this);
            radios->addButton(radio);
            radio->setChecked(control.checked);
            return radio;
        }
        case Control::Kind::ListBox: return CreateChoiceList(control);
        case Control::Kind::Button: return CreateButton(control);
    }
    return nullptr;
}

QTreeWidget* QtDialog::CreateChoiceList(const Control& control) {
    QTreeWidget* list = CreateList(control, this);
    if (control.result != ModalResult::None)
        connect(list, &QTreeWidget::itemDoubleClicked, this,
                [this, result = control.result] { done(static_cast<int>(result)); });
    if (control.onChoose)
        connect(list, &QTreeWidget::currentItemChanged, this,
                [list, choose = control.onChoose](QTreeWidgetItem* current) {
                    if (current != nullptr) choose(list->indexOfTopLevelItem(current));
                });
    return list;
}

QPushButton* QtDialog::CreateButton(const Control& control) {
    auto* button = new QPushButton(QString::fromStdString(control.caption), this);
    button->setDefault(control.isDefault);
    connect(button, &QPushButton::clicked, this, [this, result = control.result] { done(static_cast<int>(result)); });
    if (control.result == ModalResult::Cancel || (control.isDefault && escapeResult != ModalResult::Cancel))
        escapeResult = control.result;
    return button;
}

void QtDialog::WriteBack(DialogSpec& spec) const {
    for (size_t i = 0; i < spec.controls.size(); ++i) {
        Control& control = spec.controls[i];
        switch (control.kind) {
            case Control::Kind::Edit: control.text = static_cast<QLineEdit*>(widgets[i])->text().toStdString(); break;
            case Control::Kind::Combo: {
                const auto* combo = static_cast<QComboBox*>(widgets[i]);
                control.selected = combo->currentIndex();
                if (control.selected >= 0) control.text = combo->currentText().toStdString();
                break;
            }
            case Control::Kind::Radio: control.checked = static_cast<QRadioButton*>(widgets[i])->isChecked(); break;
            case Control::Kind::ListBox: {
                const auto* list = static_cast<QTreeWidget*>(widgets[i]);
                QTreeWidgetItem* current = list->currentItem();
                control.selected =
                    current != nullptr && current->isSelected() ? list->indexOfTopLevelItem(current) : -1;
                break;
            }
            case Control::Kind::Label:
            case Control::Kind::Button: break;
        }
    }
}

void QtDialog::reject() {
    if (escapeResult != ModalResult::None) done(static_cast<int>(escapeResult));
}

}  // namespace brevanto::platform
