// ForecastStrip: a forecast drawn along its validity, beside its listing.
#pragma once

#include <QWidget>

#include "app/ForecastTimeline.h"

namespace tarvik {

/// A strip as wide as it is given: the hours of the validity along the top
/// (each day's start marked with its date), the prevailing conditions (the
/// base forecast, FM, BECMG) in the upper band and the temporary ones
/// (TEMPO, INTER, PROB) in the lower band, overlapping ones in rows of
/// their own. Each block has its flight category's colour, grey when the
/// category is unknown, and its keyword when it fits; hovering over it
/// shows the period as written and its main values.
class ForecastStrip : public QWidget {
  Q_OBJECT

 public:
  /// The strip's height: the hour labels and two bands of a readable label each.
  static constexpr int kHeight = 78;

  explicit ForecastStrip(QWidget* parent = nullptr);

  /// SetForecast() draws `taf` from now on (the strip keeps what it needs).
  void SetForecast(const TafReport& taf);
  [[nodiscard]] const ForecastTimeline& Timeline() const { return timeline_; }

  /// Where a block is drawn, and the x of a minute of the validity.
  [[nodiscard]] QRect BlockRect(const ForecastBlock& block) const;
  [[nodiscard]] int XOfMinute(int minute) const;
  /// BandRect() is the upper band, or with `temporary` the lower one.
  [[nodiscard]] QRect BandRect(bool temporary) const;
  /// BlockAt() is the block drawn uppermost at `point`, if any.
  [[nodiscard]] const ForecastBlock* BlockAt(QPoint point) const;
  /// ToolTipAt() is the details of the block drawn uppermost at `point`,
  /// empty where there is none.
  [[nodiscard]] QString ToolTipAt(QPoint point) const;

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintAxis(QPainter& painter) const;
  [[nodiscard]] QRect FilledRect(const ForecastBlock& block) const;
  void FillBlock(QPainter& painter, std::size_t index) const;
  void LabelBlock(QPainter& painter, const ForecastBlock& block) const;

  ForecastTimeline timeline_;
};

}  // namespace tarvik
