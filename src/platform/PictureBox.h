#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>

class QPainter;

// A picture box: a drawing area backed by a pixel surface that block copies read and write.
// The surface is a back buffer, so a repaint shows it without redrawing; boxes whose owner
// recomposes them (no persistent image) get `Paint` on Refresh() and when first shown.
// Mouse events carry the platform's button values (1 left, 2 right, 4 middle, summed while
// moving) and drawing-area pixel coordinates.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    enum class Border { None, Sunken3D };
    static constexpr int BorderWidth = 2;

    explicit PictureBox(QWidget *parent, const QString &name = QString());

    void setBorder(Border border);
    Border border() const { return borderStyle; }

    void setBackColor(const QColor &color);

    // The box takes its picture's size (plus its border) while AutoSize is on.
    void setAutoSize(bool on);
    bool autoSize() const { return sizeToPicture; }

    // Whether drawing is kept by the box itself; boxes without it are recomposed via Paint.
    void setPersistent(bool on) { persistent = on; }

    // Loads a picture into the box: it becomes the surface from (0, 0); a null image leaves the
    // back colour only. The whole picture stays on the surface even when the box shows less.
    void setPicture(const QImage &image);
    const QImage &picture() const { return loaded; }

    // Top-left and size of the drawing area in widget coordinates.
    QRect drawingRect() const;
    QSize drawingArea() const { return drawingRect().size(); }

    // Pixels of the box: at least the drawing area, and the whole loaded picture.
    QImage &surface() { return pixels; }
    const QImage &surface() const { return pixels; }

    // Shows a changed part of the surface (drawing-area coordinates).
    void surfaceChanged(const QRect &area);

    // Recompose now (Paint, for boxes without a persistent image) and show.
    void refresh();

    // Drawn over the surface on the screen only, in drawing-area coordinates: the surface itself
    // never holds it. Show a change of it with showOverlay.
    void setOverlay(std::function<void(QPainter &)> paint) { overlay = std::move(paint); }
    void showOverlay(const QRegion &area);

signals:
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Paint();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitSurface();
    void applyAutoSize();
    void emitMouse(QMouseEvent *event,
                   int buttons,
                   void (PictureBox::*signal)(int, int, double, double));

    QImage pixels;
    QImage loaded;
    std::function<void(QPainter &)> overlay;
    QColor background;
    QRegion pendingRepaint; // widget coordinates
    Border borderStyle = Border::None;
    bool sizeToPicture = false;
    bool persistent = true;
    bool shownOnce = false;
};

// Platform values of mouse buttons and modifier keys.
int PlatformButtons(Qt::MouseButtons buttons);
int PlatformShift(Qt::KeyboardModifiers modifiers);
