#include "app/quadrosx.h"

#include "editor/amount.h"
#include "ui_quadrosx.h"

#include <initializer_list>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionButton>
#include <vector>

namespace {

// The form's geometry was drawn in twips; sizes given in code use the same unit.
constexpr int twipsPerPixel = 15;

// Graphical buttons: the picture centred above the caption, and the caption wrapped onto a second
// line when it is wider than the button, which a plain push button cannot do. The button keeps
// its own text and icon; only its face is painted here.
class GraphicalFace : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        paint(static_cast<QPushButton*>(watched));
        return true;
    }

  private:
    static void paint(QPushButton* button) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.state |= button->isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        if (button->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        QPainter painter(button);
        QStyle* style = button->style();
        style->drawControl(QStyle::CE_PushButton, &option, &painter, button);

        QRect area = style->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                         .adjusted(2, 0, -2, 0);
        if (button->isDown())
            area.translate(1, 1);
        const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
        const QRect text = button->fontMetrics().boundingRect(area, flags, button->text());
        const QSize picture = button->icon().isNull() ? QSize(0, 0) : button->iconSize();
        const int gap = picture.isEmpty() ? 0 : 2;
        int top = area.top() + (area.height() - picture.height() - gap - text.height()) / 2;
        if (!picture.isEmpty()) {
            const QRect place(area.left() + (area.width() - picture.width()) / 2, top,
                              picture.width(), picture.height());
            const auto mode = button->isEnabled() ? QIcon::Normal : QIcon::Disabled;
            button->icon().paint(&painter, place, Qt::AlignCenter, mode);
            top += picture.height() + gap;
        }
        style->drawItemText(
            &painter, QRect(area.left(), top, area.width(), area.bottom() - top + 1), flags,
            button->palette(), button->isEnabled(), button->text(), QPalette::ButtonText);
    }
};

void setPointSize(QWidget* widget, qreal points) {
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

// Labels, lines and amount boxes keep their colours when their frame is disabled, so that the
// values of a region row stay readable while it is only shown.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Check and option buttons look disabled when they are.
void setEnabledColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
    widget->setPalette(palette);
}

void setBackground(QLabel* label, const QColor& colour) {
    setColour(label, QPalette::Window, colour);
    label->setAutoFillBackground(true);
}

void gatherArrays(QUADROSX& w, Ui::QUADROSX& ui) {
    const std::pair<int, QLineEdit*> boxes[] = {
        {1, ui.Text1_1},   {2, ui.Text1_2},   {3, ui.Text1_3},   {4, ui.Text1_4},
        {5, ui.Text1_5},   {6, ui.Text1_6},   {7, ui.Text1_7},   {12, ui.Text1_12},
        {13, ui.Text1_13}, {14, ui.Text1_14}, {15, ui.Text1_15}, {16, ui.Text1_16},
        {17, ui.Text1_17}};
    for (const auto& [index, box] : boxes)
        w.Text1.add(index, box);
    const std::pair<int, QLabel*> headings[] = {
        {2, ui.testate3_2},   {3, ui.testate3_3},   {4, ui.testate3_4},   {5, ui.testate3_5},
        {6, ui.testate3_6},   {7, ui.testate3_7},   {12, ui.testate3_12}, {13, ui.testate3_13},
        {14, ui.testate3_14}, {15, ui.testate3_15}, {16, ui.testate3_16}, {17, ui.testate3_17}};
    for (const auto& [index, label] : headings)
        w.testate3.add(index, label);
    const std::pair<int, QLabel*> labels2[] = {
        {0, ui.Label2_0}, {1, ui.Label2_1},   {2, ui.Label2_2},   {3, ui.Label2_3},
        {4, ui.Label2_4}, {11, ui.Label2_11}, {18, ui.Label2_18}, {19, ui.Label2_19}};
    for (const auto& [index, label] : labels2)
        w.Label2.add(index, label);
    w.Check1.add(8, ui.Check1_8);
    w.Check1.add(9, ui.Check1_9);
    w.Check1.add(10, ui.Check1_10);
    w.Label1.add(0, ui.Label1_0);
    w.Label1.add(1, ui.Label1_1);
    w.Label1.add(5, ui.Label1_5);
    w.Label5.add(0, ui.Label5_0);
    w.Option2.add(0, ui.Option2_0);
    w.Option2.add(1, ui.Option2_1);
    w.Option2.add(2, ui.Option2_2);
    w.cmduscita.add(0, ui.cmduscita_0);
    w.cmduscita.add(1, ui.cmduscita_1);
    w.cmdselprec.add(1, ui.cmdselprec_1);
    w.FrmSelezione.add(0, ui.FrmSelezione_0);
    w.Frmmoduli.add(0, ui.Frmmoduli_0);
    w.Line1.add(0, ui.Line1_0);
    w.Line1.add(1, ui.Line1_1);
    w.Line1.add(2, ui.Line1_2);
}

void gatherSingles(QUADROSX& w, Ui::QUADROSX& ui) {
    w.Frmtestata = ui.Frmtestata;
    w.Frame1 = ui.Frame1;
    w.Frameregioni = ui.Frameregioni;
    w.Frameimporti = ui.Frameimporti;
    w.LabCOGNODEN = ui.LabCOGNODEN;
    w.LabCF = ui.LabCF;
    w.LabAZI = ui.LabAZI;
    w.Label4 = ui.Label4;
    w.Label6 = ui.Label6;
    w.Label8 = ui.Label8;
    w.List1 = ui.List1;
    w.List2 = ui.List2;
    // A line wider than its list is cut at the edge, as in the suite's other lists. Every line
    // is one line of the same font: measuring one stands for all, where measuring each of a
    // hundred thousand declarants would hold up the list's first showing for a second.
    for (QListWidget* list : {ui.List1, ui.List2}) {
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setTextElideMode(Qt::ElideNone);
        list->setUniformItemSizes(true);
    }
    w.Cmdtotali = ui.Cmdtotali;
    w.CmdStLista = ui.CmdStLista;
    w.cmdmemorizza = ui.cmdmemorizza;
    w.cmdelimina = ui.cmdelimina;
    w.Cmdannulla = ui.Cmdannulla;
    w.cmdconferma = ui.cmdconferma;
}

// Designer sizes fonts in whole points; the window's fonts are 8.25 and 9.75 points. Liberation
// Sans, which stands in for MS Sans Serif, runs a few percent wider: condensed by as much, every
// caption keeps all its lines inside the box it was drawn for. Courier New keeps its own width.
void applyFonts(QUADROSX& w, Ui::QUADROSX& ui) {
    QFont sans = w.font();
    sans.setPointSizeF(8.25);
    sans.setStretch(96);
    w.setFont(sans);
    for (QWidget* large : std::initializer_list<QWidget*>{ui.Label1_0, ui.Label2_4, ui.Label1_1})
        setPointSize(large, 9.75);
    std::vector<QWidget*> fixedPitch{ui.List1, ui.List2,  ui.LabCOGNODEN,
                                     ui.LabCF, ui.LabAZI, ui.Label1_1};
    for (const auto& [index, box] : w.Text1.all())
        fixedPitch.push_back(box);
    for (QWidget* widget : fixedPitch) {
        QFont font = widget->font();
        font.setStretch(QFont::Unstretched);
        widget->setFont(font);
    }
}

void applyColours(QUADROSX& w, Ui::QUADROSX& ui) {
    const QColor navy(0, 0, 128), darkRed(128, 0, 0), red(192, 0, 0);
    const QColor header(115, 210, 213), name(255, 255, 128);
    for (QLabel* label : {ui.Label2_3, ui.Label5_0, ui.Label8})
        setBackground(label, header);
    for (QLabel* label : {ui.LabCOGNODEN, ui.LabCF, ui.LabAZI})
        setBackground(label, name);
    setBackground(ui.Label2_4, Qt::white);
    setColour(ui.Label2_4, QPalette::WindowText, Qt::black);
    setBackground(ui.Label1_5, Qt::white);
    for (QWidget* text :
         std::initializer_list<QWidget*>{ui.Label1_0, ui.Label2_1, ui.Label2_11, ui.Label2_19,
                                         ui.Line1_0, ui.Line1_1, ui.Line1_2, ui.Line2})
        setColour(text, QPalette::WindowText, navy);
    for (QLabel* label : {ui.Label4, ui.Label2_0, ui.Label2_2})
        setColour(label, QPalette::WindowText, red);
    setColour(ui.Label6, QPalette::WindowText, QColor(0, 0, 192));
    setColour(ui.Label2_18, QPalette::WindowText, darkRed);
    setColour(ui.Shape1, QPalette::WindowText, QColor(128, 128, 128));
    for (const auto& [index, heading] : w.testate3.all())
        setColour(heading, QPalette::WindowText, index < 12 ? darkRed : QColor(64, 64, 64));
    for (const auto& [index, option] : w.Option2.all())
        setEnabledColour(option, QPalette::WindowText, red);
    for (const auto& [index, check] : w.Check1.all())
        setEnabledColour(check, QPalette::WindowText, darkRed);
}

void addStatusPanels(QUADROSX& w, Ui::QUADROSX& ui) {
    setPointSize(ui.StatusBar1, 9.75);
    ui.StatusBar1->setFixedHeight(345 / twipsPerPixel);
    const auto panel = [&](const char* name) {
        auto* label = new QLabel(ui.StatusBar1);
        label->setObjectName(QLatin1String(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    };
    w.StatusPanel1 = panel("StatusPanel1");
    w.StatusPanel1->setFixedWidth(3800 / twipsPerPixel);
    // The second panel is wider than what is left of the window: it takes the rest of the bar
    // instead of widening the window.
    w.StatusPanel2 = panel("StatusPanel2");
    w.StatusPanel2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    w.StatusPanel2->setMaximumWidth(9000 / twipsPerPixel);
    ui.StatusBar1->addWidget(w.StatusPanel1);
    ui.StatusBar1->addWidget(w.StatusPanel2, 1);
}

// The form's command buttons: a face painted as above, and chosen by Enter when they have the
// focus, as by Space (outside a dialog a push button takes only Space unless it is auto-default).
void setUpButtons(Ui::QUADROSX& ui) {
    for (QPushButton* button :
         {ui.cmduscita_0, ui.cmduscita_1, ui.cmdselprec_1, ui.Cmdtotali, ui.CmdStLista,
          ui.cmdmemorizza, ui.cmdelimina, ui.Cmdannulla, ui.cmdconferma}) {
        button->installEventFilter(new GraphicalFace(button));
        button->setAutoDefault(true);
    }
}

} // namespace

void QUADROSX::gatherControls() {
    // The pictures are linked from a static library: naming them here keeps them in the program.
    Q_INIT_RESOURCE(quadrosx);
    gatherArrays(*this, *ui);
    gatherSingles(*this, *ui);
    applyFonts(*this, *ui);
    applyColours(*this, *ui);
    addStatusPanels(*this, *ui);
    setUpButtons(*ui);
    // Every key typed into an amount box must reach the amount filter, composed ones included.
    for (const auto& [index, box] : Text1.all()) {
        setColour(box, QPalette::Base, Qt::white);
        setColour(box, QPalette::Text, Qt::black);
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        box->installEventFilter(this);
        // At most 14 characters typed or pasted; what the program writes is never cut.
        box->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral(".{0,%1}").arg(LibrAgg770::amountBoxLength)), box));
    }
}
