#pragma once

#include <QImage>
#include <QWidget>

// A picture box: shows its picture at its top left corner, unscaled. Code may paint on the
// picture; update() shows the change.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    QImage& picture() { return m_picture; }
    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
