#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QSize>
#include <QString>

// A button drawn only with images: one for each of the normal, pressed, focused and disabled
// states. It takes the size of its normal image; a missing image draws nothing and the button
// keeps the size it was given instead.
class ImageButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit ImageButton(QWidget* parent = nullptr);

    void LoadImages(const QString& normal, const QString& pressed, const QString& focused,
                    const QString& disabled);
    // Resizes the button to its normal image, or to fallback while that image is missing.
    void SizeToContent(QSize fallback);

    QSize sizeHint() const override;

    // The path of the image the button shows in its present state (for tests and tools).
    QString CurrentImagePath() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    enum Face { Normal, Pressed, Focused, Disabled, FaceCount };
    Face CurrentFace() const;

    QString m_paths[FaceCount];
    QPixmap m_images[FaceCount];
};
