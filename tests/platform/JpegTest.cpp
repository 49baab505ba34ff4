#include "Jpeg.h"

#include <QBuffer>
#include <QColor>
#include <gtest/gtest.h>

namespace {

QByteArray EncodeJpeg(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, "JPG", 95));
    return bytes;
}

QImage Filled(QImage::Format format, QColor colour) {
    QImage picture(75, 50, format);
    picture.fill(colour);
    return picture;
}

// Colour pictures have three components, grey ones one: both decode to their size and colour.
TEST(JpegTest, ColourAndGreyPicturesDecodeToTheirSizeAndColour) {
    for (const QImage& picture : {Filled(QImage::Format_RGB888, QColor(0x66, 0x99, 0xcc)),
                                  Filled(QImage::Format_Grayscale8, QColor(0x66, 0x66, 0x66))}) {
        const QImage decoded = platform::DecodeJpeg(EncodeJpeg(picture));
        ASSERT_EQ(decoded.size(), QSize(75, 50));
        const QColor expected = picture.pixelColor(0, 0);
        const QColor centre = decoded.pixelColor(37, 25);
        EXPECT_NEAR(centre.red(), expected.red(), 4);
        EXPECT_NEAR(centre.green(), expected.green(), 4);
        EXPECT_NEAR(centre.blue(), expected.blue(), 4);
    }
}

TEST(JpegTest, DamagedBytesGiveNoPicture) {
    // Detail that needs many bytes of picture data, so that the cuts land inside it.
    QImage noise(64, 64, QImage::Format_RGB888);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noise.setPixel(x, y, qRgb(x * 37 % 256, y * 91 % 256, x * y % 256));
    const QByteArray whole = EncodeJpeg(noise);
    ASSERT_FALSE(platform::DecodeJpeg(whole).isNull());
    EXPECT_TRUE(platform::DecodeJpeg(whole.left(whole.size() / 2)).isNull());
    EXPECT_TRUE(platform::DecodeJpeg(whole.left(20)).isNull());
    QByteArray scrambled = whole;
    for (qsizetype i = whole.size() / 3; i < whole.size() - 2; i += 7)
        scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5a);
    EXPECT_TRUE(platform::DecodeJpeg(scrambled).isNull());
    EXPECT_TRUE(platform::DecodeJpeg("not a picture at all").isNull());
    EXPECT_TRUE(platform::DecodeJpeg(QByteArray()).isNull());
    EXPECT_TRUE(platform::LoadJpegResource(":/assets/missing.jpg").isNull());
}

} // namespace
