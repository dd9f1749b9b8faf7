// The controls of the main window at their designed places. Positions are relative to the client area
// or, inside a group box, to the group box; labels without a given size take the size of their text.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/Unit1.hpp"
#include "ui/auto_label.hpp"
#include "ui/digit_edit.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/push_button.hpp"
#include "ui/track_bar.hpp"
#include "ui/window_fonts.hpp"

namespace velmora {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(kStatusGrey.red, kStatusGrey.green, kStatusGrey.blue);

void set_text_colour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

template <class Widget>
Widget* placed(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setFont(window_font());
    widget->setGeometry(left, top, width, height);
    return widget;
}

DigitEdit* digit_edit(QWidget* parent, const char* name, int left, int top, int width) {
    auto* edit = placed(new DigitEdit(parent), name, left, top, width, 21);
    edit->setText(QStringLiteral("0"));
    return edit;
}

QGroupBox* group_box(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                     int height) {
    auto* box = placed(new QGroupBox(caption, parent), name, left, top, width, height);
    box->setFont(window_font(kFont8Point, true));  // the caption only: every child sets its own font
    return box;
}

const QString kPixels = QStringLiteral("Pixels");

}  // namespace

void TForm1::create_header_band() {
    Shape_for_logotype = placed(new QFrame(this), "Shape_for_logotype", -5, -11, 400, 75);
    Shape_for_logotype->setFrameShape(QFrame::NoFrame);
    Shape_for_logotype->setAutoFillBackground(true);
    QPalette palette = Shape_for_logotype->palette();
    palette.setColor(QPalette::Window, kBlack);
    Shape_for_logotype->setPalette(palette);

    Label1 = auto_label(this, "Label1", QStringLiteral("Velmora"), 24, 10, window_font(kFont16Point, true));
    set_text_colour(Label1, kWhite);
    Label2 = auto_label(this, "Label2", QStringLiteral("Compress, resize photos and put logo"), 24, 39);
    set_text_colour(Label2, kWhite);
    image_top_logotype = placed(new QLabel(this), "image_top_logotype", 321, 9, 48, 42);
}

void TForm1::create_report_group() {
    GroupBox1 = group_box(this, "GroupBox1", QStringLiteral("Report"), 25, 81, 343, 96);
    const QFont counter_font = window_font(kFont10Point, true);
    Label7 = auto_label(GroupBox1, "Label7", QStringLiteral("Status:"), 16, 22);
    Label_program_status = auto_label(GroupBox1, "Label_program_status", QStringLiteral("empty"), 56, 22);
    set_text_colour(Label_program_status, kGrey);
    Label3 = auto_label(GroupBox1, "Label3", QStringLiteral("Selected files: "), 16, 45);
    label_file_count = auto_label(GroupBox1, "label_file_count", QStringLiteral("0"), 90, 44, counter_font);
    Label4 = auto_label(GroupBox1, "Label4", QStringLiteral("Processed: "), 16, 68);
    label_file_processed =
        auto_label(GroupBox1, "label_file_processed", QStringLiteral("0"), 90, 67, counter_font);
}

void TForm1::create_width_and_quality() {
    label_picture_width = auto_label(this, "label_picture_width", QStringLiteral("Image width:"), 25, 193);
    picture_width = digit_edit(this, "picture_width", 95, 191, 48);
    Label13 = auto_label(this, "Label13", QStringLiteral("px"), 150, 193);
    Label13->setCursor(Qt::WhatsThisCursor);
    Label13->setToolTip(kPixels);

    CheckBox_delete_exif = placed(new QCheckBox(this), "CheckBox_delete_exif", 235, 197, 13, 17);
    CheckBox_delete_exif->setEnabled(false);
    CheckBox_delete_exif->hide();
    Label6 = placed(new QLabel(QString::fromUtf8("Удалить EXIF данные - выдержка, диафрагма и т.д."), this),
                    "Label6", 256, 188, 119, 39);
    Label6->setWordWrap(true);
    Label6->setEnabled(false);
    Label6->hide();

    label_image_quality = placed(new QLabel(QStringLiteral("Image quality: 0%"), this), "label_image_quality",
                                 25, 220, 289, 13);
    picture_quality = placed(new TrackBar(this), "picture_quality", 16, 234, 358, 22);
    picture_quality->setRange(1, 100);
    picture_quality->setValue(50);
    picture_quality->setSingleStep(1);
    picture_quality->setPageStep(2);
    picture_quality->setTickPosition(QSlider::TicksBelow);
    picture_quality->setTickInterval(1);
}

void TForm1::create_logo_group() {
    GroupBox2 = group_box(this, "GroupBox2", QStringLiteral("Logo"), 25, 265, 343, 135);
    ComboBox_logo_position = placed(new QComboBox(GroupBox2), "ComboBox_logo_position", 16, 22, 310, 21);
    ComboBox_logo_position->setEditable(true);
    ComboBox_logo_position->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_logo_position->setCompleter(nullptr);  // typed text stays as typed
    // Qt selects the item whose text equals the typed one when the box loses focus or on Enter; here the
    // selection changes only by a pick, so tabbing past "Not to put" does not select it.
    QLineEdit* typed = ComboBox_logo_position->lineEdit();
    QObject::disconnect(typed, &QLineEdit::editingFinished, ComboBox_logo_position, nullptr);
    QObject::disconnect(typed, &QLineEdit::returnPressed, ComboBox_logo_position, nullptr);
    ComboBox_logo_position->addItems({QStringLiteral("Not to put"), QStringLiteral("Center of the Image"),
                                      QStringLiteral("Top left"), QStringLiteral("Top right"),
                                      QStringLiteral("Bottom left"), QStringLiteral("Bottom right")});
    ComboBox_logo_position->setCurrentIndex(-1);
    ComboBox_logo_position->setEditText(QStringLiteral("Not to put"));

    label_logo_padding_horizontal_1 =
        auto_label(GroupBox2, "label_logo_padding_horizontal_1", QStringLiteral("Left inset:"), 16, 52);
    logo_padding_horizontal = digit_edit(GroupBox2, "logo_padding_horizontal", 75, 49, 33);
    logo_padding_horizontal->setAlignment(Qt::AlignCenter);
    label_logo_padding_horizontal_2 =
        auto_label(GroupBox2, "label_logo_padding_horizontal_2", QStringLiteral("px;"), 115, 52);
    // Right-aligned: its right edge stays at 218 whatever its caption (see set_right_aligned_caption).
    label_logo_padding_vertical_1 =
        auto_label(GroupBox2, "label_logo_padding_vertical_1", QStringLiteral("Top inset:"), 170, 52);
    label_logo_padding_vertical_1->resize(48, label_logo_padding_vertical_1->height());
    label_logo_padding_vertical_1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    logo_padding_vertical = digit_edit(GroupBox2, "logo_padding_vertical", 226, 49, 33);
    logo_padding_vertical->setAlignment(Qt::AlignCenter);
    label_logo_padding_vertical_2 =
        auto_label(GroupBox2, "label_logo_padding_vertical_2", QStringLiteral("px;"), 267, 52);
    for (QLabel* pixels : {label_logo_padding_horizontal_2, label_logo_padding_vertical_2}) {
        pixels->setCursor(Qt::WhatsThisCursor);
        pixels->setToolTip(kPixels);
    }

    Label_logo_src = auto_label(GroupBox2, "Label_logo_src", QStringLiteral("Logo file (png)"), 16, 77);
    edit_logo_src = placed(new QLineEdit(GroupBox2), "edit_logo_src", 16, 97, 201, 21);
    Button_logo_src = placed(new PushButton(QStringLiteral("Choose a logo"), GroupBox2), "Button_logo_src",
                             223, 96, 105, 23);
}

void TForm1::create_buttons() {
    Button1 = placed(new PushButton(QStringLiteral("Choose images"), this), "Button1", 24, 417, 169, 30);
    Button3 = placed(new PushButton(QStringLiteral("Save settings"), this), "Button3", 199, 417, 169, 30);
    Button_start_photo_processing = placed(new PushButton(QStringLiteral("Run process"), this),
                                           "Button_start_photo_processing", 24, 453, 169, 30);
    Button5 = placed(new PushButton(QStringLiteral("About Velmora"), this), "Button5", 199, 453, 169, 30);
}

void TForm1::create_dialogs() {
    OpenDialog1 = make_open_dialog(this, "OpenDialog1", QStringLiteral("Files JPG, JPEG (*.jpg *.jpeg)"),
                                   QFileDialog::ExistingFiles);
    OpenPictureDialog_logo = make_open_dialog(this, "OpenPictureDialog_logo",
                                              QStringLiteral("Files PNG (*.png)"), QFileDialog::ExistingFile);
}

// Tab order among siblings as designed; the group boxes take no focus themselves, so their children
// follow the top-level controls in the boxes' order.
void TForm1::set_tab_order() {
    QWidget* const order[] = {Button1,
                              Button_start_photo_processing,
                              picture_quality,
                              picture_width,
                              Button3,
                              Button5,
                              ComboBox_logo_position,
                              logo_padding_horizontal,
                              logo_padding_vertical,
                              edit_logo_src,
                              Button_logo_src};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace velmora
