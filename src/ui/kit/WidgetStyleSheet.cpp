#include "ui/kit/ThemeStyleSheet.h"

namespace vellum {

namespace {

// The standard widgets in the C64 themes, on top of Fusion and the theme's palette. Borders
// that grow on focus take the extra pixel from the padding so nothing jumps.
const char* const c64Rules = R"(
QDialog, QMessageBox {
    background-color: @dialog@;
}
QDialogButtonBox {
    dialogbuttonbox-buttons-have-icons: 0;
}
QToolTip {
    background-color: @deepPanelBackground@;
    color: @text@;
    border: 1px solid @accentTone@;
    border-radius: 4px;
    padding: 4px 6px;
}
QMenuBar {
    background-color: @panelBackground@;
    color: @text@;
    border-bottom: 1px solid @line@;
    padding: 2px 4px;
}
QMenuBar::item {
    background: transparent;
    padding: 4px 10px;
    border-radius: 4px;
}
QMenuBar::item:selected {
    background-color: @hover@;
}
QMenuBar::item:pressed {
    background-color: @selection@;
    color: @selectionText@;
}
QMenu {
    background-color: @panelBackground@;
    color: @text@;
    border: 1px solid @line@;
    padding: 4px;
}
QMenu::item {
    padding: 5px 28px 5px 24px;
    border-radius: 4px;
}
QMenu::item:selected {
    background-color: @selection@;
    color: @selectionText@;
}
QMenu::item:disabled {
    color: @disabledText@;
    background: transparent;
}
QMenu::separator {
    height: 1px;
    background-color: @line@;
    margin: 4px 8px;
}
QPushButton {
    background-color: @buttonFill@;
    color: @buttonText@;
    border: 1px solid @line@;
    border-radius: 6px;
    padding: 5px 14px;
    min-height: 18px;
}
QPushButton:hover {
    background-color: @buttonHover@;
}
QPushButton:pressed {
    background-color: @pressed@;
}
QPushButton:default {
    background-color: @defaultButtonFill@;
    color: @defaultButtonText@;
    border-color: @defaultButtonFill@;
}
QPushButton[destructive="true"] {
    background-color: @destructiveFill@;
    color: @destructiveText@;
    border-color: @destructiveFill@;
}
QPushButton:focus {
    border: 2px solid @focusRing@;
    padding: 4px 13px;
}
QPushButton:default:focus, QPushButton[destructive="true"]:focus {
    border-color: @text@;
}
QPushButton:disabled {
    background-color: @lightFill@;
    color: @disabledText@;
    border-color: @lightFill@;
}
QLineEdit, QSpinBox, QPlainTextEdit, QTextEdit {
    background-color: @field@;
    color: @text@;
    border: 1px solid @line@;
    border-radius: 5px;
    padding: 4px 6px;
    selection-background-color: @selection@;
    selection-color: @selectionText@;
}
QPlainTextEdit, QTextEdit {
    padding: 2px;
}
QLineEdit:focus, QSpinBox:focus {
    border: 2px solid @focusRing@;
    padding: 3px 5px;
}
QPlainTextEdit:focus, QTextEdit:focus {
    border: 2px solid @focusRing@;
    padding: 1px;
}
QLineEdit:disabled, QSpinBox:disabled {
    color: @disabledText@;
    background-color: @lightFill@;
}
QCheckBox, QRadioButton {
    color: @text@;
    spacing: 6px;
}
QCheckBox:disabled, QRadioButton:disabled {
    color: @disabledText@;
}
QComboBox {
    background-color: @buttonFill@;
    color: @buttonText@;
    border: 1px solid @line@;
    border-radius: 6px;
    padding: 4px 8px;
    min-height: 18px;
}
QComboBox:hover {
    background-color: @buttonHover@;
}
QComboBox:focus {
    border: 2px solid @focusRing@;
    padding: 3px 7px;
}
QComboBox:disabled {
    background-color: @lightFill@;
    color: @disabledText@;
}
QComboBox::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: center right;
    width: 16px;
    border: none;
}
QComboBox::down-arrow {
    image: url(@arrowImage@);
    width: 12px;
    height: 12px;
}
QCheckBox::indicator, QAbstractItemView::indicator {
    width: 14px;
    height: 14px;
    border: 1px solid @indicatorLine@;
    border-radius: 4px;
    background-color: @field@;
}
QCheckBox::indicator:checked, QAbstractItemView::indicator:checked {
    background-color: @accentTone@;
    border-color: @accentTone@;
    image: url(@checkImage@);
}
QRadioButton::indicator {
    width: 14px;
    height: 14px;
    border: 1px solid @indicatorLine@;
    border-radius: 8px;
    background-color: @field@;
}
QRadioButton::indicator:checked {
    width: 8px;
    height: 8px;
    border: 4px solid @accentTone@;
}
QCheckBox::indicator:hover, QRadioButton::indicator:hover,
QCheckBox::indicator:focus, QRadioButton::indicator:focus {
    border-color: @focusRing@;
}
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled {
    border-color: @lightFill@;
    background-color: @lightFill@;
}
QComboBox QAbstractItemView {
    background-color: @panelBackground@;
    color: @text@;
    border: 1px solid @line@;
    padding: 2px;
    outline: none;
    selection-background-color: @selection@;
    selection-color: @selectionText@;
}
QAbstractItemView {
    background-color: @panelBackground@;
    alternate-background-color: @stripe@;
    color: @text@;
    border: 1px solid @line@;
    outline: none;
    selection-background-color: @selection@;
    selection-color: @selectionText@;
}
QAbstractItemView::item {
    padding: 2px 4px;
    border: none;
}
QAbstractItemView::item:hover {
    background-color: @hover@;
}
QAbstractItemView::item:selected, QTreeView::branch:selected {
    background-color: @selection@;
    color: @selectionText@;
}
QAbstractItemView::item:selected:!active, QTreeView::branch:selected:!active {
    background-color: @inactiveSelection@;
    color: @inactiveSelectionText@;
}
QHeaderView {
    background: transparent;
    border: none;
}
QHeaderView::section {
    background-color: transparent;
    color: @heading@;
    border: none;
    border-bottom: 1px solid @line@;
    padding: 4px 6px;
    @headingFont@
}
QHeaderView::section:hover {
    color: @text@;
}
QScrollBar:vertical {
    background: transparent;
    width: 12px;
    margin: 2px 2px 2px 0px;
}
QScrollBar:horizontal {
    background: transparent;
    height: 12px;
    margin: 0px 2px 2px 2px;
}
QScrollBar::handle:vertical {
    background-color: @scrollHandle@;
    border-radius: 4px;
    min-height: 28px;
    margin: 0px 2px;
}
QScrollBar::handle:horizontal {
    background-color: @scrollHandle@;
    border-radius: 4px;
    min-width: 28px;
    margin: 2px 0px;
}
QScrollBar::handle:hover {
    background-color: @scrollHandleHover@;
}
QScrollBar::add-line, QScrollBar::sub-line {
    width: 0px;
    height: 0px;
    border: none;
    background: none;
}
QScrollBar::add-page, QScrollBar::sub-page {
    background: none;
}
QProgressBar {
    background-color: @progressTrack@;
    color: @text@;
    border: none;
    border-radius: 4px;
    text-align: center;
    max-height: 8px;
}
QProgressBar::chunk {
    background-color: @progressFill@;
    border-radius: 4px;
}
QSplitter::handle {
    background: transparent;
}
QSplitter::handle:hover {
    background-color: @line@;
}
QTabWidget::pane {
    background-color: @panelBackground@;
    border: 1px solid @line@;
    border-radius: 8px;
    top: -1px;
}
QTabBar::tab {
    background-color: transparent;
    color: @secondaryText@;
    border: 1px solid @line@;
    border-bottom: none;
    border-top-left-radius: 6px;
    border-top-right-radius: 6px;
    padding: 6px 14px;
    margin-right: 2px;
}
QTabBar::tab:selected {
    background-color: @panelBackground@;
    color: @text@;
    border-top: 2px solid @accentTone@;
}
QTabBar::tab:hover:!selected {
    background-color: @hover@;
}
QTabBar::tab:focus {
    color: @accentTone@;
}
)";

} // namespace

QString c64WidgetRules() {
    return QString::fromUtf8(c64Rules);
}

} // namespace vellum
