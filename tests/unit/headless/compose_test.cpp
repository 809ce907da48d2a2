// The window's picture, pixel by pixel, on tiny forms.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/headless/headless_platform.h"

using namespace gui;
using headless::HeadlessPlatform;

namespace {

const Color kWhite = Color::rgb(255, 255, 255), kRed = Color::rgb(255, 0, 0), kBlue = Color::rgb(0, 0, 255),
            kGreen = Color::rgb(0, 255, 0), kBlack = Color::rgb(0, 0, 0);

// The composite as rows of letters: . white, R red, B blue, G green, K black.
std::string art(const Form& form) {
  const std::map<uint32_t, char> names{
      {kWhite.value, '.'}, {kRed.value, 'R'}, {kBlue.value, 'B'}, {kGreen.value, 'G'}, {kBlack.value, 'K'}};
  const Surface s = form.composite();
  std::string out;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      auto it = names.find(s.pixel(x, y).value);
      out += it == names.end() ? '?' : it->second;
    }
    out += '\n';
  }
  return out;
}

class ComposeTest : public ::testing::Test {
 protected:
  void size(int w, int h) {
    form.setPixelBounds({0, 0, w, h});
    form.cls();
  }
  HeadlessPlatform platform;
  Form form{platform, "frmTest"};
};

}  // namespace

TEST_F(ComposeTest, NestedElementsAreClippedToTheirParentAndTheirRegion) {
  size(8, 6);
  auto& panel = form.add<Panel>("panel");
  panel.setBackColor(kRed);
  panel.move(1, 1, 5, 4);
  auto& pic = panel.add<PictureBox>("pic");
  pic.move(3, 2, 4, 3);  // hangs over the panel's right and bottom edges
  pic.surface().fill(kBlue);
  EXPECT_EQ(art(form),
            "........\n"
            ".RRRRR..\n"
            ".RRRRR..\n"
            ".RRRBB..\n"
            ".RRRBB..\n"
            "........\n");
  pic.setRegion(Region(Rect{0, 0, 4, 3}).subtracted(Region(Rect{0, 0, 1, 1})));
  panel.setRegion(Region(Rect{0, 0, 5, 4}).subtracted(Region(Rect{0, 0, 1, 4})));
  EXPECT_EQ(art(form),
            "........\n"
            "..RRRR..\n"
            "..RRRR..\n"
            "..RRRB..\n"
            "..RRBB..\n"
            "........\n");
  panel.setVisible(false);
  EXPECT_EQ(art(form),
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n")
      << "a hidden parent hides its children";
}

TEST_F(ComposeTest, PictureBoxesKeepWhatIsDrawnOnThemAndTheFormKeepsItsOwnDrawing) {
  size(4, 2);
  form.surface().setPixel(3, 1, kGreen);
  auto& pic = form.add<PictureBox>("BtnKrepko");
  pic.setBackColor(kBlack);
  pic.move(0, 0, 2, 2);
  EXPECT_EQ(art(form), "KK..\nKK.G\n") << "a new picture takes its back colour";
  pic.surface().setPixel(1, 1, kRed);
  pic.setWidth(3);  // growing keeps the drawing
  EXPECT_EQ(art(form), "KKK.\nKRKG\n");
  pic.setLeft(1);
  EXPECT_EQ(art(form), ".KKK\n.KRK\n");
}

TEST_F(ComposeTest, ShapesHaveAOnePixelBorderAndLinesLeaveOutTheirEndPoint) {
  size(10, 6);
  auto& izbor = form.add<Shape>("Izbor");
  izbor.move(0, 0, 5, 4);
  izbor.setFillStyle(FillStyle::Solid);
  izbor.setFillColor(kGreen);
  izbor.setBorderColor(kBlack);
  auto& separator = form.add<Line>("Line1");
  separator.setPoints(0, 5, 10, 5);
  separator.setColor(kBlue);
  auto& diagonal = form.add<Line>("diag");
  diagonal.setPoints(6, 0, 9, 3);
  diagonal.setColor(kRed);
  auto& weekend = form.add<Shape>("BarvnoOzadje");
  weekend.move(6, 3, 3, 2);
  weekend.setFillStyle(FillStyle::Solid);
  weekend.setFillColor(kRed);
  weekend.setBorderStyle(BorderStyle::None);
  EXPECT_EQ(art(form),
            "KKKKK.R...\n"
            "KGGGK..R..\n"
            "KGGGK...R.\n"
            "KKKKK.RRR.\n"
            "......RRR.\n"
            "BBBBBBBBBB\n");
  separator.setTop(4);  // moving a line moves both its points
  weekend.setVisible(false);
  EXPECT_EQ(separator.y1(), 4);
  EXPECT_EQ(art(form),
            "KKKKK.R...\n"
            "KGGGK..R..\n"
            "KGGGK...R.\n"
            "KKKKK.....\n"
            "BBBBBBBBBB\n"
            "..........\n");
}

TEST_F(ComposeTest, LabelsDrawTheirTextOverTheirBackColourUnlessTransparent) {
  size(8, 5);
  auto& label = form.add<Label>("lblDan1");
  label.move(1, 0, 6, 4);
  label.setFont(FontSpec{u"Arial", 238, 3, false});  // block font: 2-pixel advance, 4-pixel line
  label.setText(u"ab");
  label.setForeColor(kBlack);
  label.setBackColor(kRed);
  EXPECT_EQ(art(form),
            ".RRRRRR.\n"
            ".KRKRRR.\n"
            ".KRKRRR.\n"
            ".RRRRRR.\n"
            "........\n");
  label.setTransparent(true);
  label.setAlignment(base::Alignment::Right);
  EXPECT_EQ(art(form),
            "........\n"
            "...K.K..\n"
            "...K.K..\n"
            "........\n"
            "........\n");
  label.setAlignment(base::Alignment::Center);
  label.setText(u"a");
  EXPECT_EQ(art(form),
            "........\n"
            "...K....\n"
            "...K....\n"
            "........\n"
            "........\n");
  label.setText(u"a b");  // a space draws nothing
  EXPECT_EQ(art(form),
            "........\n"
            ".K...K..\n"
            ".K...K..\n"
            "........\n"
            "........\n");
}

TEST_F(ComposeTest, WindowedItemsCoverLabelsWhateverTheirOrder) {
  size(5, 4);
  auto& pic = form.add<PictureBox>("pic");
  pic.move(0, 0, 3, 3);
  pic.surface().fill(kBlue);
  auto& label = form.add<Label>("lbl");
  label.setBackColor(kRed);
  label.move(1, 1, 4, 3);
  label.bringToFront();
  EXPECT_EQ(art(form),
            "BBB..\n"
            "BBBRR\n"
            "BBBRR\n"
            ".RRRR\n");
  // Among labels the order counts.
  auto& top = form.add<Label>("top");
  top.setBackColor(kGreen);
  top.move(3, 2, 2, 2);
  EXPECT_EQ(art(form).substr(12), "BBBGG\n.RRGG\n");
  top.sendToBack();
  EXPECT_EQ(art(form).substr(12), "BBBRR\n.RRRR\n");
}

namespace {
// A user control in the manner of the day list: builds its own children.
class Strip : public PictureBox {
 public:
  Strip(std::string name, Color thumb) : PictureBox(std::move(name)), m_thumb(thumb) {}
  Panel* thumb = nullptr;

 protected:
  void attached() override {
    thumb = &add<Panel>("Drsnik");
    thumb->setBackColor(m_thumb);
    thumb->move(1, 0, 1, 1);
  }

 private:
  Color m_thumb;
};
}  // namespace

TEST_F(ComposeTest, UserControlsBuildTheirChildrenWhenAdded) {
  size(4, 1);
  auto& strip = form.add<Strip>("PoložajnaVrstica", kGreen);
  strip.move(1, 0, 3, 1);
  ASSERT_NE(strip.thumb, nullptr);
  EXPECT_EQ(form.find("Drsnik"), strip.thumb);
  EXPECT_EQ(art(form), "..G.\n");
}
