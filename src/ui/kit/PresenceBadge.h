#pragma once

#include <QWidget>

namespace vellum {

// Whether something is there: a filled check circle when it is, an empty circle when not.
class PresenceBadge : public QWidget {
    Q_OBJECT

public:
    explicit PresenceBadge(bool ok = false, QWidget* parent = nullptr);

    void setOk(bool ok);
    bool isOk() const { return present; }

    QSize sizeHint() const override { return {16, 16}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool present = false;
};

} // namespace vellum
