#include "NewVersionFrm.h"

#include "ShellOpen.h"
#include "UpdateConsts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace update_text;

namespace {

constexpr int kTextWidth = 645;
constexpr int kMemoHeight = 330;

QLabel* NewPrompt(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setFixedWidth(kTextWidth);
    return label;
}

} // namespace

TNewVersionForm::TNewVersionForm(QWidget* owner, const QString& newVerStr)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::CustomizeWindowHint) {
    setObjectName("NewVersionForm");
    setWindowTitle(tr(kNewVersionTitle));
    // The version comes from the network: shown as text, never as markup.
    QString version = newVerStr;
    version.replace(u',', u'.');
    labNewVersionPrompt =
        NewPrompt("labNewVersionPrompt", tr(kNewVersionPrompt).arg(version.toHtmlEscaped()), this);
    labUpgradePrompt = NewPrompt("labUpgradePrompt", tr(kUpgradePrompt), this);

    txtWhatsNew = new QPlainTextEdit(this);
    txtWhatsNew->setObjectName("txtWhatsNew");
    txtWhatsNew->setReadOnly(true);
    txtWhatsNew->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtWhatsNew->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtWhatsNew->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtWhatsNew->setFixedSize(kTextWidth, kMemoHeight);

    btnYes = new QPushButton(tr(kYes), this);
    btnYes->setObjectName("btnYes");
    btnYes->setDefault(true);
    connect(btnYes, &QPushButton::clicked, this, &QDialog::accept);
    btnClose = new QPushButton(tr(kNo), this);
    btnClose->setObjectName("btnClose");
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnYes);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labNewVersionPrompt);
    layout->addWidget(txtWhatsNew);
    layout->addWidget(labUpgradePrompt);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TNewVersionForm::LoadWhatsNew(const QString& text) {
    txtWhatsNew->setPlainText(text.isEmpty() ? tr(kNoWhatsNew) : text);
}

void TNewVersionForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpFile();
        return;
    }
    QDialog::keyPressEvent(event);
}
