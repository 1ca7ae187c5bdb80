#pragma once

#include <QDialog>

#include <array>

class Main;
class QLabel;
class QLineEdit;

// Edit > Set Inputs…: the numeric inputs typed as numbers in the window's units (frequency in GHz,
// level in dBm, return loss in dB, temperatures in °C, filter number, harmonics in dBc), the window's
// decimal separator accepted. The values are checked against the selected sensor's and the fixed limits
// with the command line's checks and messages, and shown on the window at the nearest positions; the
// dialog says what it rejected or moved. Non-modal: the window stays usable beside it.
class SetInputsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr std::size_t kFieldCount = 8;

    explicit SetInputsDialog(Main& window);

    // Fills the fields with the window's values.
    void showWindowValues();
    // Checks the typed values and, when they pass, shows them on the window. True when they passed;
    // what was rejected or moved stands in the dialog's message.
    bool apply();

    // OK: applies, and closes unless there is something to say.
    void accept() override;

private:
    void createWidgets();

    Main& m_window;
    std::array<QLineEdit*, kFieldCount> m_fields{};
    QLabel* m_message = nullptr;
};
