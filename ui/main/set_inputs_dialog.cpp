#include "ui/main/set_inputs_dialog.h"

#include "budget/batch_columns.h"
#include "budget/input_table.h"
#include "cli/setup_inputs.h"
#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"
#include "ui/main/setup_entry.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <vector>

using tarvex::Input;

namespace {

struct Field {
    Input input;
    const char* name;
};

// The fields, top to bottom.
constexpr std::array<Field, SetInputsDialog::kFieldCount> kFields{{
    {Input::frequency, "txtFrequency"},
    {Input::level, "txtLevel"},
    {Input::returnLoss, "txtReturnLoss"},
    {Input::tempMin, "txtTempMin"},
    {Input::tempMax, "txtTempMax"},
    {Input::filter, "txtFilter"},
    {Input::harmonic2f, "txtHarmonic2f"},
    {Input::harmonic3f, "txtHarmonic3f"},
}};

// A field's label: the input's caption and its unit.
QString LabelOf(Input input) {
    const tarvex::InputInfo& info = tarvex::InfoOf(input);
    QString label = ToQString(info.caption);
    if (!info.unit.empty()) {
        label += QStringLiteral(" (") + ToQString(info.unit) + QLatin1Char(')');
    }
    return label;
}

// The inputs' captions, which lead the command line's messages here as the column names do in a batch.
const tarvex::cli::SetupInputNames& CaptionNames() {
    static const tarvex::cli::SetupInputNames names = [] {
        tarvex::cli::SetupInputNames captions{};
        for (std::size_t i = 0; i < captions.size(); ++i) {
            captions[i] = tarvex::kSetupInputs[i].caption;
        }
        return captions;
    }();
    return names;
}

} // namespace

SetInputsDialog::SetInputsDialog(Main& window)
    : QDialog(&window)
    , m_window(window) {
    setObjectName(QStringLiteral("frmSetInputs"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Set Inputs"));
    setModal(false);
    createWidgets();
    showWindowValues();
}

void SetInputsDialog::createWidgets() {
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(ToQString(kFields[i].name));
        m_fields[i]->setAccessibleName(ToQString(tarvex::InfoOf(kFields[i].input).caption));
        form->addRow(LabelOf(kFields[i].input), m_fields[i]);
    }
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Apply)->setObjectName(QStringLiteral("cmdApply"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SetInputsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SetInputsDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &SetInputsDialog::apply);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The values as a batch row writes them, with the window's decimal separator; the first field keeps the
// focus with its text selected, so that typing replaces it.
void SetInputsDialog::showWindowValues() {
    const std::vector<std::string> values = tarvex::BatchInputFields(m_window.ReadSetup(), "");
    const QString separator = QString::fromStdString(m_window.DecimalSeparator());
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        m_fields[i]->setText(QString::fromStdString(values[tarvex::Index(kFields[i].input)])
                                 .replace(QLatin1Char('.'), separator));
    }
    m_fields.front()->setFocus();
    m_fields.front()->selectAll();
}

// The other inputs are the window's own, so the limits are those of the sensor it shows; an emptied field
// keeps the window's value.
bool SetInputsDialog::apply() {
    std::vector<std::string> texts = tarvex::BatchInputFields(m_window.ReadSetup(), "");
    const std::string separator = m_window.DecimalSeparator();
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (const std::string typed = WithDecimalPoint(m_fields[i]->text(), separator); !typed.empty()) {
            texts[tarvex::Index(kFields[i].input)] = typed;
        }
    }
    tarvex::cli::SetupTexts setupTexts{};
    for (std::size_t i = 0; i < setupTexts.size(); ++i) {
        setupTexts[i] = texts[i + 1]; // after the id
    }
    tarvex::MeasurementSetup setup;
    std::string problems;
    tarvex::cli::ReadSetup(setupTexts, CaptionNames(), setup, problems);
    if (!problems.empty()) {
        m_message->setText(
            QString::fromStdString(problems).replace(QStringLiteral("; "), QStringLiteral("\n")));
        return false;
    }
    const QStringList notes = ApplyCheckedSetup(m_window, setup, CaptionNames());
    showWindowValues();
    m_message->setText(notes.join(QLatin1Char('\n')));
    return true;
}

void SetInputsDialog::accept() {
    if (apply() && m_message->text().isEmpty()) {
        QDialog::accept();
    }
}

// Opens the dialog with the window's values, or brings it forward when it is open.
void Main::mnuSetInputs_Click() {
    if (m_setInputs.isNull()) {
        m_setInputs = new SetInputsDialog(*this);
    }
    m_setInputs->show();
    m_setInputs->raise();
    m_setInputs->activateWindow();
}
