#pragma once

// The document position of a "Break Section Here" click: where the click lies in the page,
// (scroll position + click y) / contents height, so a break lands where it was asked for on
// short pages as on long ones. Always finite and within 0..1.
float manualBreakPosition(int scrollValue, int clickY, int contentsHeight);

// The position of a break before line `line` of `lineCount`: the very value the markup pass
// gives that line (line / lineCount in single precision), so the break falls on it and not on
// a line below. The line is kept within the screenplay.
float manualBreakAtLine(int line, int lineCount);
