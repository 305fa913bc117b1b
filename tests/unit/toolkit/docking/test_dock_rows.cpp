// The outer row layout on item records alone: fitting a row in three stages, the order of a row,
// restoring remembered positions, wrapping and aligning extents.
#include "toolkit/docking/ExtDockBar.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

typedef CExtDockOuterBar::ItemArray ItemArray;
typedef CExtControlBar::OuterDockPosition Position;

struct Spec {
  int nStart, nExtent, nMin;
  LONG nOrder = -1; // -1: no record
  int nSavedStart = 0, nSavedExtent = 0;
  bool bResizable = false;
};

// Items of a horizontal row 20 pixels thick; records live in the deque.
ItemArray MakeRow(const std::vector<Spec>& specs, std::deque<Position>& records) {
  ItemArray items;
  for (const Spec& s : specs) {
    CExtDockOuterBar::OuterLayoutItemData item;
    item.m_bToolkit = s.nOrder >= 0 || s.bResizable;
    item.m_bResizable = s.bResizable;
    item.m_size = CSize(s.nExtent, 20);
    item.m_sizeMin = CSize(s.nMin, 20);
    item.m_rcLayout = item.m_rcCurrent = CRect(s.nStart, 0, s.nStart + s.nExtent, 20);
    if (s.nOrder >= 0) {
      records.emplace_back();
      Position& pos = records.back();
      RowOrderOf(pos) = s.nOrder;
      if (s.nSavedExtent > 0)
        RowRectOf(pos) = CRect(s.nSavedStart, 0, s.nSavedStart + s.nSavedExtent, 20);
      RowExtentOf(pos, true) = s.nSavedExtent;
      item.m_pPos = &pos;
    }
    items.push_back(item);
  }
  return items;
}

std::string Spans(const ItemArray& items) {
  std::string text;
  for (const auto& item : items)
    text += (text.empty() ? "" : " ") + std::to_string(item.m_rcLayout.left) + "-" +
            std::to_string(item.m_rcLayout.right) +
            (item.m_rcLayout.top != 0 ? "@" + std::to_string(item.m_rcLayout.top) : "");
  return text;
}

TEST(OuterRowLayout, FitRowPullsBackShrinksOrRefuses) {
  struct Case {
    const char* name;
    std::vector<Spec> specs;
    int nAvail;
    bool bFits;
    const char* expected;
  } const kCases[] = {
      {"free space: pulled back",
       {{0, 100, 60}, {150, 100, 60}, {260, 100, 60}},
       300,
       true,
       "0-100 100-200 200-300"},
      {"never moved forward", {{0, 100, 60}, {100, 100, 60}}, 400, true, "0-100 100-200"},
      {"shrunk from the far end",
       {{0, 100, 60}, {100, 100, 60}, {200, 100, 60}},
       250,
       true,
       "0-100 100-190 190-250"},
      {"too long even at minimum",
       {{0, 100, 60}, {100, 100, 60}, {200, 100, 60}},
       150,
       false,
       "0-100 100-200 200-300"},
  };
  for (const Case& c : kCases) {
    std::deque<Position> records;
    ItemArray items = MakeRow(c.specs, records);
    EXPECT_EQ(c.bFits, CExtDockOuterBar::FitRow(items, 0, static_cast<int>(items.size()) - 1, c.nAvail, true))
        << c.name;
    EXPECT_EQ(c.expected, Spans(items)) << c.name;
  }
}

TEST(OuterRowLayout, FitRowGivesPixelsBackByOrder) {
  std::deque<Position> records;
  // The first bar in the order lost 40 pixels; the second can give them down to its minimum.
  ItemArray items = MakeRow({{0, 60, 40, 1, 0, 100}, {60, 100, 40, 2, 60, 100}}, records);
  ASSERT_TRUE(CExtDockOuterBar::FitRow(items, 0, 1, 200, true));
  EXPECT_EQ("0-100 100-160", Spans(items));
}

TEST(OuterRowLayout, RowOrderPutsNumberedBarsFirstThenResetThenForeign) {
  std::deque<Position> records;
  ItemArray items =
      MakeRow({{0, 50, 10, 3, 0, 50}, {50, 50, 10}, {100, 50, 10, 1, 100, 50}, {150, 80, 10, 0}}, records);
  items[3].m_size.cx = 60; // desired shorter than current
  std::vector<int> order;
  CExtDockOuterBar::BuildRowOrder(true, order, items, true, 0, 3);
  EXPECT_EQ((std::vector<int>{2, 0, 3, 1}), order);
  EXPECT_EQ(5, RowOrderOf(*items[3].m_pPos)) << "a reset record numbers above count + first";
  EXPECT_EQ(CRect(150, 0, 230, 20), CRect(RowRectOf(*items[3].m_pPos))) << "takes the current rectangle";
  EXPECT_EQ(60, RowExtentOf(*items[3].m_pPos, true)) << "limited to the desired extent";
}

TEST(OuterRowLayout, AnUnwrappedRowReturnsBarsToTheirRememberedPlaces) {
  std::deque<Position> records;
  ItemArray items = MakeRow({{0, 100, 40, 1, 50, 100}, {100, 100, 40, 2, 300, 100}}, records);
  CSize sizeFixed(0, 0);
  CPoint ptPen(0, 0);
  EXPECT_EQ(0, CExtDockOuterBar::LayoutRowItems(items, sizeFixed, CSize(500, 100), ptPen, true, false));
  EXPECT_EQ("50-150 300-400", Spans(items));
  EXPECT_EQ(CPoint(0, 20), ptPen);
  EXPECT_EQ(19, sizeFixed.cy);
}

TEST(OuterRowLayout, ARowThatCannotFitWrapsWithoutTouchingTheArray) {
  std::deque<Position> records;
  ItemArray items = MakeRow(
      {{0, 200, 190, 1, 0, 200}, {200, 200, 190, 2, 200, 200}, {400, 200, 190, 3, 400, 200}}, records);
  CSize sizeFixed(0, 0);
  CPoint ptPen(0, 0);
  EXPECT_EQ(1, CExtDockOuterBar::LayoutRowItems(items, sizeFixed, CSize(450, 100), ptPen, true, false));
  EXPECT_EQ(0, items[2].m_rcLayout.left);
  EXPECT_EQ(20, items[2].m_rcLayout.top) << "on the next visual row";
  EXPECT_EQ(CPoint(0, 40), ptPen);
}

TEST(OuterRowLayout, AResizableBarStaysInItsRowAndIsCutAtTheEnd) {
  std::deque<Position> records;
  Spec resizable{300, 300, 50};
  resizable.bResizable = true;
  ItemArray items = MakeRow({{0, 300, 290, 1, 0, 300}, resizable}, records);
  CSize sizeFixed(0, 0);
  CPoint ptPen(0, 0);
  EXPECT_EQ(0, CExtDockOuterBar::LayoutRowItems(items, sizeFixed, CSize(450, 100), ptPen, true, false));
  EXPECT_EQ("0-300 300-450", Spans(items));
}

TEST(OuterRowLayout, BarsInTheRowExtentShareTheThickestExtent) {
  std::deque<Position> records;
  ItemArray items = MakeRow({{0, 50, 10}, {50, 50, 10}, {100, 50, 10}}, records);
  items[0].m_bInRowExtent = items[1].m_bInRowExtent = true;
  items[1].m_rcLayout.bottom = 30;
  items[2].m_rcLayout.bottom = 40;
  CExtDockOuterBar::AlignRowExtents(true, items, 0, 2);
  EXPECT_EQ(30, items[0].m_rcLayout.Height());
  EXPECT_EQ(40, items[2].m_rcLayout.Height()) << "not in the row extent";
}

} // namespace
