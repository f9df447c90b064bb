#include "Progress.h"

#include "SizeText.h"

#include <QJsonObject>

#include <unistd.h>

namespace {

// A redrawn line is repainted at most this often between percent steps.
constexpr qint64 kRedrawMsecs = 500;

QString PhaseWord(const QString& phase) {
    if (phase == QStringLiteral("clone"))
        return QStringLiteral("Cloning");
    if (phase == QStringLiteral("restore"))
        return QStringLiteral("Restoring");
    return QStringLiteral("Verifying");
}

} // namespace

QString DurationText(int64_t seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QChar(u'0'))
        .arg(seconds % 60, 2, 10, QChar(u'0'));
}

Progress::Progress(const Console& console, QString phase, uint64_t total)
    : m_console(console), m_phase(std::move(phase)), m_total(total),
      m_mode(console.Json()                 ? Mode::Json
             : ::isatty(STDERR_FILENO) != 0 ? Mode::Terminal
                                            : Mode::Plain) {
    m_clock.start();
}

Progress::~Progress() {
    Finish();
}

void Progress::Update(int percent, uint64_t bytes) {
    const qint64 now = m_clock.elapsed();
    const bool newStep = percent != m_lastPercent;
    if (!newStep && (m_mode != Mode::Terminal || now - m_lastDrawn < kRedrawMsecs))
        return;
    m_lastPercent = percent;
    m_lastDrawn = now;
    const double perSecond = now > 0 ? static_cast<double>(bytes) * 1000.0 / now : 0.0;
    switch (m_mode) {
    case Mode::Json: {
        QJsonObject object{{"event", "progress"},
                           {"phase", m_phase},
                           {"percent", percent},
                           {"bytes", static_cast<qint64>(bytes)},
                           {"totalBytes", static_cast<qint64>(m_total)},
                           {"bytesPerSecond", static_cast<qint64>(perSecond)}};
        if (m_total > 0 && perSecond > 0 && bytes <= m_total)
            object.insert("secondsLeft",
                          static_cast<qint64>(static_cast<double>(m_total - bytes) / perSecond));
        m_console.Emit(object);
        break;
    }
    case Mode::Terminal:
        m_console.Status(u'\r' + Line(percent, bytes, perSecond) + QStringLiteral("\x1b[K"));
        m_lineOpen = true;
        break;
    case Mode::Plain:
        m_console.Status(Line(percent, bytes, perSecond) + u'\n');
        break;
    }
}

void Progress::Finish() {
    if (m_lineOpen)
        m_console.Status(QStringLiteral("\n"));
    m_lineOpen = false;
}

QString Progress::Line(int percent, uint64_t bytes, double perSecond) const {
    QString line = QStringLiteral("%1 %2% %3")
                       .arg(PhaseWord(m_phase))
                       .arg(percent)
                       .arg(FormatSize(static_cast<int64_t>(bytes)));
    if (m_total > 0)
        line += QStringLiteral(" of ") + FormatSize(static_cast<int64_t>(m_total));
    line +=
        QStringLiteral(", ") + FormatSize(static_cast<int64_t>(perSecond)) + QStringLiteral("/s");
    if (m_total > 0 && perSecond > 0 && bytes <= m_total)
        line +=
            QStringLiteral(", ") +
            DurationText(static_cast<int64_t>(static_cast<double>(m_total - bytes) / perSecond)) +
            QStringLiteral(" left");
    return line;
}
