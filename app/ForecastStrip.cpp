// ForecastStrip: the validity's axis, the two bands of blocks, and the
// tooltip of the block under the pointer.
#include "app/ForecastStrip.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QStringList>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>
#include <vector>

#include "app/CategoryBadge.h"

namespace tarvik {
namespace {

constexpr int kSide = 4;        // pixels left and right of the validity
constexpr int kTickLength = 3;  // below the hour labels
constexpr int kBandGap = 3;
constexpr int kBottom = 2;
constexpr int kLabelPadding = 6;  // a label's least room beside it, both sides together
constexpr int kSeeThrough = 150;  // the alpha of a block drawn over another
// Hour labels every so many hours, the fewest that leave room between them.
constexpr int kLabelSteps[] = {1, 2, 3, 6, 12, 24};

// The texts that may name a block, the fullest first: "PROB30 TEMPO MVFR",
// "PROB30 TEMPO", "PROB30"; the base forecast shows only its category.
QStringList BlockLabels(const ForecastBlock& block) {
  const QString category =
      block.category ? QString::fromLatin1(FlightCategoryName(*block.category)) : QString();
  QStringList labels;
  if (block.label.isEmpty()) {
    if (!category.isEmpty()) labels << category;
    return labels;
  }
  if (!category.isEmpty()) labels << block.label + QLatin1Char(' ') + category;
  labels << block.label;
  if (block.label.contains(QLatin1Char(' '))) labels << block.label.section(QLatin1Char(' '), 0, 0);
  return labels;
}

}  // namespace

ForecastStrip::ForecastStrip(QWidget* parent) : QWidget(parent) {
  // The labels are small: a block of two hours still names itself.
  QFont small(QStringLiteral("Sans Serif"), 8);
  small.setStyleHint(QFont::SansSerif);
  setFont(small);
  setAccessibleName(tr("Forecast timeline"));
}

void ForecastStrip::SetForecast(const TafReport& taf) {
  timeline_ = LayForecast(taf);
  update();
}

QSize ForecastStrip::sizeHint() const { return {400, kHeight}; }
QSize ForecastStrip::minimumSizeHint() const { return {100, kHeight}; }

int ForecastStrip::XOfMinute(int minute) const {
  if (timeline_.minutes <= 0) return kSide;
  const qint64 span = std::max(0, width() - 2 * kSide);
  return kSide +
         static_cast<int>(span * std::clamp(minute, 0, timeline_.minutes) / timeline_.minutes);
}

QRect ForecastStrip::BandRect(bool temporary) const {
  const int top = fontMetrics().height() + kTickLength + 2;
  const int band = std::max(0, height() - top - kBandGap - kBottom) / 2;
  return {kSide, temporary ? top + band + kBandGap : top, std::max(0, width() - 2 * kSide), band};
}

QRect ForecastStrip::BlockRect(const ForecastBlock& block) const {
  const QRect band = BandRect(block.temporary);
  const int left = XOfMinute(block.from);
  const int width = std::max(1, XOfMinute(block.till) - left);
  if (!block.temporary) return {left, band.top(), width, band.height()};
  const int laneHeight = band.height() / std::max(1, timeline_.lanes);
  return {left, band.top() + block.lane * laneHeight, width, laneHeight};
}

const ForecastBlock* ForecastStrip::BlockAt(QPoint point) const {
  // The last block drawn is the one on top.
  const std::vector<ForecastBlock>& blocks = timeline_.blocks;
  for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
    if (BlockRect(*block).contains(point)) return &*block;
  }
  return nullptr;
}

QString ForecastStrip::ToolTipAt(QPoint point) const {
  const ForecastBlock* block = BlockAt(point);
  return block != nullptr ? block->details : QString();
}

bool ForecastStrip::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const ForecastBlock* block = BlockAt(help->pos());
  if (block == nullptr) {
    QToolTip::hideText();
    event->ignore();
  } else {
    // Plain text as rich text, so that a period's text is never read as
    // markup, its line breaks kept; gone when the pointer leaves the block.
    QToolTip::showText(help->globalPos(),
                       Qt::convertFromPlainText(block->details, Qt::WhiteSpaceNoWrap), this,
                       BlockRect(*block));
  }
  return true;
}

void ForecastStrip::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect upper = BandRect(false);
  const QRect lower = BandRect(true);
  for (const QRect& band : {upper, lower}) {
    painter.fillRect(band, palette().base());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(band.adjusted(0, 0, -1, -1));
  }
  if (timeline_.minutes > 0) PaintAxis(painter);
  for (std::size_t i = 0; i < timeline_.blocks.size(); ++i) FillBlock(painter, i);

  // Each day's start drawn across the bands, over the blocks, under their labels.
  QColor dayLine = palette().color(QPalette::WindowText);
  dayLine.setAlpha(160);
  painter.setPen(dayLine);
  for (const ForecastDay& day : timeline_.days) {
    if (day.minute == 0) continue;
    const int x = XOfMinute(day.minute);
    painter.drawLine(x, upper.top() - kTickLength - 1, x, lower.bottom());
  }
  painter.setPen(Qt::white);
  for (const ForecastBlock& block : timeline_.blocks) LabelBlock(painter, block);

  if (timeline_.blocks.empty()) {
    // Why the bands are empty, in the upper one, over the day lines.
    QRect note = fontMetrics().boundingRect(upper, Qt::AlignCenter, timeline_.note);
    painter.fillRect(note.adjusted(-kLabelPadding, 0, kLabelPadding, 0), palette().base());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(note, Qt::AlignCenter, timeline_.note);
  }
}

void ForecastStrip::PaintAxis(QPainter& painter) const {
  const QFontMetrics metrics = fontMetrics();
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics boldMetrics(bold);
  const int labelBottom = metrics.height() + 1;
  const double hourWidth = (width() - 2.0 * kSide) * 60.0 / timeline_.minutes;

  painter.setPen(palette().color(QPalette::WindowText));
  if (hourWidth >= 3) {
    for (int minute = 0; minute <= timeline_.minutes; minute += 60) {
      const int x = XOfMinute(minute);
      painter.drawLine(x, labelBottom, x, labelBottom + kTickLength - 1);
    }
  }

  // The labels, each day's start first (in bold, with its date), then the
  // hours, each left out where it would touch one already drawn.
  std::vector<QRect> drawn;
  const auto place = [&](int minute, const QString& text, bool isDay) {
    const QFontMetrics& m = isDay ? boldMetrics : metrics;
    const int textWidth = m.horizontalAdvance(text);
    // Kept inside the strip where it has room; at its left end where not.
    const int left =
        std::max(1, std::min(XOfMinute(minute) - textWidth / 2, width() - textWidth - 1));
    const QRect box(left, 0, textWidth, labelBottom);
    for (const QRect& other : drawn) {
      if (box.adjusted(-kLabelPadding / 2, 0, kLabelPadding / 2, 0).intersects(other)) return;
    }
    drawn.push_back(box);
    painter.setFont(isDay ? bold : font());
    painter.drawText(box, Qt::AlignCenter, text);
  };
  const auto hourOf = [this](int minute) { return (timeline_.startHour + minute / 60) % 24; };
  for (const ForecastDay& day : timeline_.days) {
    const QString hour = QStringLiteral("%1Z").arg(hourOf(day.minute), 2, 10, QLatin1Char('0'));
    place(day.minute,
          day.day > 0 ? QStringLiteral("%1/").arg(day.day, 2, 10, QLatin1Char('0')) + hour : hour,
          true);
  }
  // Hour labels at least their own width apart, so that the row stays readable.
  const int hourLabelWidth = 2 * metrics.horizontalAdvance(QStringLiteral("00Z"));
  for (int step : kLabelSteps) {
    if (hourWidth * step < hourLabelWidth) continue;
    for (int minute = 60; minute < timeline_.minutes; minute += 60) {
      if (hourOf(minute) % step == 0) {
        place(minute, QStringLiteral("%1Z").arg(hourOf(minute), 2, 10, QLatin1Char('0')), false);
      }
    }
    break;
  }
  painter.setFont(font());
}

QRect ForecastStrip::FilledRect(const ForecastBlock& block) const {
  // A pixel of the band between neighbours, so that two blocks of one
  // category still read as two.
  QRect box = BlockRect(block);
  if (box.width() > 2) box.setWidth(box.width() - 1);
  if (block.temporary && timeline_.lanes > 1 && box.height() > 2) box.setHeight(box.height() - 1);
  return box;
}

void ForecastStrip::FillBlock(QPainter& painter, std::size_t index) const {
  const ForecastBlock& block = timeline_.blocks[index];
  const QRect box = FilledRect(block);
  QColor colour = CategoryColour(block.category);
  if (block.overlaid) colour.setAlpha(kSeeThrough);
  painter.fillRect(box, colour);

  // BECMG: from the conditions before to its own over the change's time.
  if (block.settled > block.from && index > 0) {
    const ForecastBlock& before = timeline_.blocks[index - 1];
    if (!before.temporary && before.till == block.from) {
      QRect change = box;
      change.setRight(std::min(box.right(), XOfMinute(block.settled)));
      QLinearGradient gradient(change.left(), 0, change.right() + 1, 0);
      gradient.setColorAt(0, CategoryColour(before.category));
      gradient.setColorAt(1, colour);
      painter.fillRect(change, gradient);
    }
  }
}

void ForecastStrip::LabelBlock(QPainter& painter, const ForecastBlock& block) const {
  const QRect box = FilledRect(block);
  constexpr int kNarrowest = 12;  // no label is shorter: skip the measuring
  if (box.width() < kNarrowest) return;
  const QFontMetrics metrics = fontMetrics();
  if (metrics.height() > box.height() + 2) return;
  for (const QString& label : BlockLabels(block)) {
    if (metrics.horizontalAdvance(label) + kLabelPadding > box.width()) continue;
    painter.drawText(box, Qt::AlignCenter, label);
    break;
  }
}

}  // namespace tarvik
