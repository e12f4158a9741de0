-- The interface's start-up script. The program runs this file, then Init(), and calls
-- FROMAPP_FPSCOUNTER every frame; the error window's buttons call set_Colour, hints
-- call DoFloatingHint and HideFloatingHint, custom list box rows call setIndexID.
--
-- For now the interface is a frame-rate label and a button that reloads the interface
-- from these files, so an edited script shows without restarting the program.

local fpsLabel, hint

local FONT = "Tahoma_70_Fixed_16_2.DFF;0.29;0.1;0.6;2"

local function label(x, y, w, h, text)
  local id = qgui_create(TYPE_LABEL, desktop)
  qgui_set(id, PROP_X, x)
  qgui_set(id, PROP_Y, y)
  qgui_set(id, PROP_W, w)
  qgui_set(id, PROP_H, h)
  qgui_set(id, PROP_FONT_NAME, FONT)
  qgui_set(id, PROP_FONT_COL, 255, 255, 255, 255)
  qgui_set(id, PROP_TEXT, text)
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
  qgui_set(hint, PROP_TEXT, text)
  qgui_set(hint, PROP_X, x + 12)
  qgui_set(hint, PROP_Y, y + 12)
  qgui_set(hint, PROP_VISIBLE, true)
  qgui_bringtofront(hint)
end

function HideFloatingHint()
  if hint then qgui_set(hint, PROP_VISIBLE, false) end
end

function FROMAPP_FPSCOUNTER(fps)
  if fpsLabel then qgui_set(fpsLabel, PROP_TEXT, "FPS: " .. localization(fps)) end
end

local function buildFrameRate()
  fpsLabel = label(8, 8, 110, 22, "FPS: 0")
  qgui_set(fpsLabel, PROP_COL1, 20, 20, 20, 160)
  qgui_set(fpsLabel, PROP_NOMOUSEEVT, true)
end

local function buildReloadButton()
  local button = label(8, 34, 110, 26, "Reload")
  qgui_set(button, PROP_HALIGN, ALIGN_MIDDLE)
  qgui_set(button, PROP_COL1, 45, 45, 45, 255)
  qgui_set(button, PROP_BEVEL, true)
  qgui_set(button, PROP_BEVEL_COL1, 62, 62, 62, 255)
  qgui_set(button, PROP_BEVEL_COL2, 22, 22, 22, 255)
  qgui_set(button, PROP_HINT, "Reload the interface from the lua folder")
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
  hint = label(0, 0, 10, 20, "")
  qgui_set(hint, PROP_COL1, 20, 20, 20, 220)
  qgui_set(hint, PROP_AUTOSIZE, true)
  qgui_set(hint, PROP_NOMOUSEEVT, true)
  qgui_set(hint, PROP_VISIBLE, false)
end

function Init()
  buildFrameRate()
  buildReloadButton()
  buildHint()
end
