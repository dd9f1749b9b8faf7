#include "ui/Unit1.hpp"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

#include "base/error.hpp"
#include "base/file_io.hpp"
#include "base/handler_guard.hpp"
#include "batch/photo_pipeline.hpp"
#include "settings/settings_store.hpp"
#include "ui/Unit2.hpp"
#include "ui/digit_edit.hpp"
#include "ui/display_text.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/frame_placement.hpp"
#include "ui/window_fonts.hpp"

namespace velmora {

namespace {

const char* const kWidthHint =
    "If the width of the original image will be less than that \r"
    "specified, the picture size will not change. This will keep \r"
    "the size small picture";

const char* const kHeaderPicture = ":/PNG_TOP_LOGO.png";

void set_caption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->adjustSize();
}

// A right-aligned label grows and shrinks to the left: its right edge stays where it was designed, and it
// is never narrower than designed.
void set_right_aligned_caption(QLabel* label, const QString& caption) {
    constexpr int kDesignedWidth = 48;
    const int right = label->geometry().right();
    label->setText(caption);
    const int width = std::max(kDesignedWidth, label->sizeHint().width());
    label->setGeometry(right + 1 - width, label->y(), width, label->height());
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(window_font());
    setFixedSize(kClientWidth, kClientHeight);
    create_header_band();
    create_report_group();
    create_width_and_quality();
    create_logo_group();
    create_buttons();
    create_dialogs();
    set_tab_order();
    connect_handlers();
    Button1->setFocus();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect work_area = screen->availableGeometry();
        place_by_frame(*this, [work_area](QSize frame) { return centred_corner(work_area, frame); });
    }
}

void TForm1::connect_handlers() {
    connect(Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(Button_start_photo_processing, &QPushButton::clicked, this,
            guarded([this] { Button_start_photo_processingClick(); }));
    connect(Button3, &QPushButton::clicked, this, guarded([this] { Button3Click(); }));
    connect(Button_logo_src, &QPushButton::clicked, this, guarded([this] { Button_logo_srcClick(); }));
    connect(Button5, &QPushButton::clicked, this, guarded([this] { Button5Click(); }));
    connect(picture_quality, &QSlider::valueChanged, this, guarded([this] { picture_qualityChange(); }));
    // A pick from the list (mouse or keys) and typing both count as a change; selecting an item from
    // the program does not.
    connect(ComboBox_logo_position, &QComboBox::activated, this,
            guarded([this] { ComboBox_logo_positionChange(); }));
    connect(ComboBox_logo_position->lineEdit(), &QLineEdit::textEdited, this,
            guarded([this] { position_text_typed(); }));
}

void TForm1::FormCreate() {
    // Every hint stays visible for the same time; the other hint timings are the platform's.
    for (QWidget* widget : findChildren<QWidget*>()) widget->setToolTipDuration(kHintHidePause);
    label_picture_width->setToolTip(display_text(kWidthHint));
    picture_width->setToolTip(display_text(kWidthHint));

    QPixmap header_picture;
    if (!header_picture.load(QString::fromUtf8(kHeaderPicture), "PNG"))
        throw Error("Resource PNG_TOP_LOGO not found");
    image_top_logotype->setPixmap(header_picture);

    // The quality label follows the track bar even when a stored value cannot be read and the error
    // ends the creation here; otherwise it would show the design text beside the track bar at 50.
    try {
        load_settings(*this);
    } catch (...) {
        picture_qualityChange();
        throw;
    }
    picture_qualityChange();
}

void TForm1::Button1Click() {
    if (!run_open_dialog(*OpenDialog1)) return;
    selection_.clear();
    for (const QString& file : OpenDialog1->selectedFiles())
        selection_.push_back(path_from_utf8(core_text(file)));
    set_caption(label_file_count, QString::number(selection_.size()));
    set_caption(label_file_processed, QStringLiteral("0"));
}

void TForm1::Button_start_photo_processingClick() {
    velmora::Button_start_photo_processingClick(*this);
}

void TForm1::Button3Click() {
    save_settings(*this);
    set_status("changes have been saved", kStatusGreen);
}

void TForm1::Button_logo_srcClick() {
    if (!run_open_dialog(*OpenPictureDialog_logo)) return;
    const QStringList chosen = OpenPictureDialog_logo->selectedFiles();
    if (chosen.isEmpty()) return;
    edit_logo_src->setText(chosen.first());
    set_status("logo is selected", kStatusGreen);
}

void TForm1::Button5Click() {
    if (about_window_ != nullptr) about_window_->show_modally(this);
}

void TForm1::ComboBox_logo_positionChange() {
    update_status_elements_for_label_padding();
}

void TForm1::picture_qualityChange() {
    label_image_quality->setText(QStringLiteral("Image quality: %1%").arg(picture_quality->value()));
}

// Typed text matches no item as far as the batch is concerned: the box keeps the text but selects
// nothing, and then runs its change handler as for a pick.
void TForm1::position_text_typed() {
    if (ComboBox_logo_position->currentIndex() != -1) {
        QLineEdit* edit = ComboBox_logo_position->lineEdit();
        const QString typed = edit->text();
        const int cursor = edit->cursorPosition();
        ComboBox_logo_position->setCurrentIndex(-1);
        edit->setText(typed);
        edit->setCursorPosition(cursor);
    }
    ComboBox_logo_positionChange();
}

void TForm1::update_status_elements_for_label_padding() {
    QWidget* const insets[] = {label_logo_padding_horizontal_1, logo_padding_horizontal,
                               label_logo_padding_horizontal_2, label_logo_padding_vertical_1,
                               logo_padding_vertical,           label_logo_padding_vertical_2};
    QWidget* const logo_file[] = {Label_logo_src, edit_logo_src, Button_logo_src};
    for (QWidget* control : insets) control->setEnabled(true);
    for (QWidget* control : logo_file) control->setEnabled(true);

    const int position = ComboBox_logo_position->currentIndex();
    if (position == 0 || position == 1) {
        for (QWidget* control : insets) control->setEnabled(false);
    }
    if (position == 0) {
        for (QWidget* control : logo_file) control->setEnabled(false);
    }
    if (position >= 2) {
        const bool left = position == 2 || position == 4;
        const bool top = position == 2 || position == 3;
        set_caption(label_logo_padding_horizontal_1,
                    left ? QStringLiteral("Left inset:") : QStringLiteral("Right inset:"));
        set_right_aligned_caption(label_logo_padding_vertical_1,
                                  top ? QStringLiteral("Top inset:") : QStringLiteral("Bottom inset:"));
    }
}

std::string TForm1::width_text() {
    return core_text(picture_width->text());
}
std::vector<std::filesystem::path> TForm1::selection() {
    return selection_;
}
std::string TForm1::logo_path_text() {
    return core_text(edit_logo_src->text());
}
int TForm1::logo_position_index() {
    return ComboBox_logo_position->currentIndex();
}
std::string TForm1::inset_horizontal_text() {
    return core_text(logo_padding_horizontal->text());
}
std::string TForm1::inset_vertical_text() {
    return core_text(logo_padding_vertical->text());
}
int TForm1::quality() {
    return picture_quality->value();
}

void TForm1::set_processed_text(const std::string& text) {
    set_caption(label_file_processed, display_text(text));
}

void TForm1::set_status(const std::string& text, Color color) {
    QPalette palette = Label_program_status->palette();
    palette.setColor(QPalette::WindowText, QColor(color.red, color.green, color.blue));
    Label_program_status->setPalette(palette);
    set_caption(Label_program_status, display_text(text));
}

void TForm1::set_run_button_enabled(bool enabled) {
    Button_start_photo_processing->setEnabled(enabled);
}

void TForm1::set_run_button_caption(const std::string& caption) {
    Button_start_photo_processing->setText(display_text(caption));
}

void TForm1::show_error_box(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), display_text(text), QMessageBox::Ok,
                    this);
    box.exec();
}

void TForm1::show_information_box(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), display_text(text),
                    QMessageBox::Ok, this);
    box.exec();
}

void TForm1::pump_messages() {
    QCoreApplication::processEvents();
    if (closed_) throw Abort();
}

void TForm1::set_width_text(const std::string& text) {
    picture_width->setText(QString::fromStdString(text));
}
bool TForm1::delete_exif_checked() {
    return CheckBox_delete_exif->isChecked();
}
void TForm1::set_delete_exif_checked(bool checked) {
    CheckBox_delete_exif->setChecked(checked);
}
int TForm1::quality_position() {
    return picture_quality->value();
}

void TForm1::set_quality_position(int position) {
    picture_quality->setValue(std::clamp(position, picture_quality->minimum(), picture_quality->maximum()));
}

std::vector<std::string> TForm1::logo_position_items() {
    std::vector<std::string> items;
    for (int i = 0; i < ComboBox_logo_position->count(); ++i)
        items.push_back(core_text(ComboBox_logo_position->itemText(i)));
    return items;
}

void TForm1::select_logo_position(int index) {
    ComboBox_logo_position->setCurrentIndex(index);
}
void TForm1::set_inset_horizontal_text(const std::string& text) {
    logo_padding_horizontal->setText(QString::fromStdString(text));
}
void TForm1::set_inset_vertical_text(const std::string& text) {
    logo_padding_vertical->setText(QString::fromStdString(text));
}
void TForm1::set_logo_path_text(const std::string& text) {
    edit_logo_src->setText(QString::fromStdString(text));
}

void TForm1::closeEvent(QCloseEvent* event) {
    closed_ = true;
    event->accept();
}

}  // namespace velmora
