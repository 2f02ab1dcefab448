// The font dialog: face, style and size with a live sample. Every face is offered in
// 標準, 斜体, 太字 and 太字 斜体 (the font system slants and emboldens a face that has no
// such style of its own), and sizes with one decimal (10.5). A face not installed here,
// such as one a settings file names, is kept as it stands.
#pragma once

#include <QDialog>
#include <QFont>

class QLabel;
class QLineEdit;
class QListWidget;

namespace platform {

class FontDialog : public QDialog
{
    Q_OBJECT
public:
    /// Presets face, size, bold and italic from font.
    FontDialog(const QFont &font, QWidget *parent = nullptr);

    /// The chosen face, size, bold and italic; meaningful after accept().
    QFont chosenFont() const;

    void accept() override;

private:
    void faceTyped(const QString &text);
    void sizeTyped(const QString &text);
    void updateSample();
    QFont currentFont() const;

    QLineEdit *m_face;
    QListWidget *m_faces;
    QLineEdit *m_style;
    QListWidget *m_styles;
    QLineEdit *m_size;
    QListWidget *m_sizes;
    QLabel *m_sample;
    QString m_presetFace;
    double m_lastSize;
};

} // namespace platform
