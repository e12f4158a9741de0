-- The interface's start-up script. The program runs this file, then Init(), and calls
-- FROMAPP_FPSCOUNTER every frame; the error window's buttons call set_Colour, hints
-- call DoFloatingHint and HideFloatingHint, custom list box rows call setIndexID.
--
-- For now the interface is a frame-rate meter (a bar that grows with the frame rate:
-- full at 600 frames per second, red below 30, yellow below 60) and a button that
-- reloads the interface from these files.

local meter, bar, button, hint

local function colour(id, property, red, green, blue, alpha)
  qgui_set(id, property, red, green, blue, alpha)
end

local function panel(parent, x, y, w, h)
  local id = qgui_create(TYPE_ELEMENT, parent)
  qgui_set(id, PROP_X, x)
  qgui_set(id, PROP_Y, y)
  qgui_set(id, PROP_W, w)
  qgui_set(id, PROP_H, h)
  return id
end

function set_Colour(id, property, c)
  qgui_set(id, property, c.red, c.green, c.blue, c.alpha)
end

function setIndexID(list, index)
  qgui_set(list, PROP_INDEX, index)
end

function DoFloatingHint(text, x, y)
  if not hint then return end
  qgui_set(hint, PROP_X, x + 12)
  qgui_set(hint, PROP_Y, y + 12)
  qgui_set(hint, PROP_VISIBLE, true)
  qgui_bringtofront(hint)
end

function HideFloatingHint()
  if hint then qgui_set(hint, PROP_VISIBLE, false) end
end

function FROMAPP_FPSCOUNTER(fps)
  if not bar then return end
  qgui_set(bar, PROP_W, math.min(196, math.floor(fps / 600 * 196)))
  if fps < 30 then
    colour(bar, PROP_COL1, 220, 60, 50, 255)
  elseif fps < 60 then
    colour(bar, PROP_COL1, 230, 200, 60, 255)
  else
    colour(bar, PROP_COL1, 80, 200, 90, 255)
  end
end

local function buildMeter()
  meter = panel(desktop, 8, 8, 200, 14)
  colour(meter, PROP_COL1, 20, 20, 20, 160)
  qgui_set(meter, PROP_BEVEL, true)
  colour(meter, PROP_BEVEL_COL1, 0, 0, 0, 255)
  colour(meter, PROP_BEVEL_COL2, 90, 90, 90, 255)
  qgui_set(meter, PROP_NOMOUSEEVT, true)
  bar = panel(meter, 2, 2, 0, 10)
end

local function buildButton()
  button = panel(desktop, 8, 28, 24, 24)
  colour(button, PROP_COL1, 45, 45, 45, 255)
  qgui_set(button, PROP_BEVEL, true)
  colour(button, PROP_BEVEL_COL1, 62, 62, 62, 255)
  colour(button, PROP_BEVEL_COL2, 22, 22, 22, 255)
  qgui_set(button, PROP_HINT, "Reload the interface")
  local icon = panel(button, 8, 8, 8, 8)
  colour(icon, PROP_COL1, 80, 160, 230, 255)
  qgui_set(icon, PROP_NOMOUSEEVT, true)
  qgui_setcallback(button, CALLBACK_MOUSEOVER, "qgui_set(%id,PROP_COL1,70,70,70,255)")
  qgui_setcallback(button, CALLBACK_MOUSELEAVE, "qgui_set(%id,PROP_COL1,45,45,45,255)")
  qgui_setcallback(button, CALLBACK_MOUSEDOWN,
    "set_Colour(%id,PROP_BEVEL_COL1,{red=22,green=22,blue=22,alpha=255});" ..
    "set_Colour(%id,PROP_BEVEL_COL2,{red=62,green=62,blue=62,alpha=255});")
  qgui_setcallback(button, CALLBACK_MOUSEUPANY,
    "set_Colour(%id,PROP_BEVEL_COL1,{red=62,green=62,blue=62,alpha=255});" ..
    "set_Colour(%id,PROP_BEVEL_COL2,{red=22,green=22,blue=22,alpha=255});")
  qgui_setcallback(button, CALLBACK_MOUSECLICK, "if %b == 0 then qgui_debug(0) end")
end

local function buildHint()
  hint = panel(desktop, 0, 0, 10, 10)
  colour(hint, PROP_COL1, 80, 160, 230, 200)
  qgui_set(hint, PROP_NOMOUSEEVT, true)
  qgui_set(hint, PROP_VISIBLE, false)
end

function Init()
  buildMeter()
  buildButton()
  buildHint()
end
