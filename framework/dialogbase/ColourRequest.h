#pragma once

#include "framework/messages/WinTypes.h"

class CDC;
class QWidget;

// Colour requests. Before a static text, a check box or radio button, an edit or a dialog
// paints, it asks with WM_CTLCOLOR<kind> (a dialog asks itself, a control its parent),
// handing a CDC whose text colour, background colour and background mode the answer
// sets, and draws with what it got: the brush fills its background (an edit's field),
// the text colour is its text's, and an opaque mode fills behind the text with the
// background colour. A null brush leaves the widget's own look.
void AfxEnableColourRequests(QWidget* widget);

// What a window answers when nobody handles the request: the system colours of the
// kind (a field's window colour for edits and lists, the face colour for the others).
LRESULT AfxDefaultColourAnswer(UINT message, CDC* dc);
