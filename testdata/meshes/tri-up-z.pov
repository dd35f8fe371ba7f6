// The scene of tri.inc, as Meshfold wrote it: povray tri.pov
#version 3.7;
global_settings { assumed_gamma 1.0 }
#include "tri.inc"

// OBJ files are right-handed, and this one has +Z up and its front toward -Y;
// POV-Ray is left-handed, with +Y up. Swapping y and z turns the one frame into
// the other without mirroring the model: its front then faces -z, where the
// camera stands.
#declare Model = object { tri matrix <1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0> }

#declare Low = min_extent(Model);
#declare High = max_extent(Model);
#if (High.x < Low.x | vlength(High - Low) > 1e9)  // nothing to frame
  #declare Low = <-1, -1, -1>;
  #declare High = <1, 1, 1>;
#end
#declare Middle = (Low + High) / 2;
#declare Size = max(vlength(High - Low), 1e-6);

// The camera looks at the middle from in front, a little above and to the
// right, as near as lets each corner of the extent into the picture with a
// margin, across and up, at whatever size the picture is rendered.
#declare Angle = 40;  // across the picture
#declare Reach = 0.85;  // of the half width or height, that a corner may take
#declare Forward = -vnormalize(<0.45, 0.35, -1>);
#declare Across = vnormalize(vcross(y, Forward));
#declare Upward = vcross(Forward, Across);
#declare Wide = Reach * tan(radians(Angle / 2));
#declare Tall = Wide * image_height / image_width;
#declare Distance = 0.6 * Size;  // outside the sphere around the extent
#for (Corner, 0, 7)
  #declare Offset = (High - Low) / 2
    * <2 * mod(Corner, 2) - 1, 2 * mod(div(Corner, 2), 2) - 1, 2 * div(Corner, 4) - 1>;
  #declare Distance = max(Distance, max(abs(vdot(Offset, Across)) / Wide,
                                        abs(vdot(Offset, Upward)) / Tall) - vdot(Offset, Forward));
#end

camera {
  location Middle - Distance * Forward
  look_at Middle
  right x * image_width / image_height
  angle Angle
}
light_source { Middle + <-1, 2, -1.5> * 2 * Size color rgb 1 }
light_source { Middle + <1.5, 0.5, -1> * 2 * Size color rgb 0.35 shadowless }
background { color rgb <0.6, 0.65, 0.72> }
// Faces the include file gives no texture of their own are light grey.
object { Model texture { pigment { color rgb 0.8 } } }
