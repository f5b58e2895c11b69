#pragma once

#include <QDialog>
#include <QString>

class Dialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Hint dialog (object name "TForm20"): the one modal window through which every hint is shown and can be
// switched off. HintEdit carries the name of the hint's switch in section CONFIG of PCBW.INI.
class HintDialog : public QDialog {
    Q_OBJECT
public:
    explicit HintDialog(QWidget* parent = nullptr);

    void setHint(const QString& key, const QString& line1, const QString& line2, const QString& line3);
    // The key the hint switches off ("ShowHint4"), as HintEdit holds it, blanks removed.
    QString hintKey() const;
    // True after "&OK" with "Don't show this message again." ticked; closing by the frame never is.
    bool switchOffRequested() const { return m_switchOff; }

    QLabel* label(int line) const; // 1 to 3
    QCheckBox* dontShowBox() const { return m_dontShow; }
    QPushButton* okButton() const { return m_ok; }

private:
    void confirm();

    QLabel* m_lines[3];
    QCheckBox* m_dontShow;
    QPushButton* m_ok;
    QLineEdit* m_hintEdit;
    bool m_switchOff = false;
};

// Shows hint `hint` (1 to 5) when its switch ShowHintN in PCBW.INI of programDir is on (a missing
// key or file counts as on): the dialog runs modally, and "&OK" with the box ticked writes "0" to the
// switch once the dialog has closed. A label the hint does not use gets an empty text.
// A refused write of PCBW.INI is reported as "Unable to write to <path>" in an error box.
void showHint(Dialogs& dialogs, const QString& programDir, int hint, const QString& line1,
              const QString& line2, const QString& line3, QWidget* parent = nullptr);
// The same without a Dialogs port: a refused write throws ProfileWriteError to the caller, whose
// event handler boundary reports it.
void showHint(const QString& programDir, int hint, const QString& line1, const QString& line2,
              const QString& line3, QWidget* parent = nullptr);
