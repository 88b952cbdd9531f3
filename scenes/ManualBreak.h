#pragma once

// The document position of a "Break Section Here" click: the scroll fraction plus the click's
// fraction of the contents height, over the visible fraction plus one. Always finite: a page
// without a vertical scroll range (or without height) counts as scrolled to the top.
float manualBreakPosition(int scrollValue, int scrollMaximum, int clickY, int contentsHeight,
                          int viewHeight);
