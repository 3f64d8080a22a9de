// keywords.dat as the studio reads it, and the words the engine has to offer.

// Records of three lines: prefix and word, syntax, description. Reports what the
// studio would read wrongly: an unknown prefix, a missing syntax or description.
export function readWordList(text) {
  const lines = text.split(/\r\n|\r|\n/);
  if (lines.length && lines[lines.length - 1] === '') lines.pop();
  const kinds = { '!': 'Fn', '.': 'Var', '#': 'Cons' };
  const entries = [], problems = [];
  if (lines.length % 3) problems.push(`${lines.length} lines is not a whole number of three-line records`);
  for (let i = 0; i + 2 < lines.length; i += 3) {
    const [first, syntax, description] = lines.slice(i, i + 3);
    const kind = kinds[first[0]];
    const word = first.slice(1);
    if (!kind) { problems.push(`line ${i + 1} ("${first}") does not start a record`); continue; }
    if (!/^[A-Za-z_][A-Za-z0-9_]*$/.test(word)) problems.push(`line ${i + 1}: "${word}" is not a name`);
    if (!syntax || syntax === 'n/a' || !syntax.includes(word)) problems.push(`${word}: the syntax line names it ("${syntax}")`);
    if (!description || description === 'n/a' || description.length < 8) problems.push(`${word}: has a description`);
    entries.push({ word, kind, syntax, description });
  }
  return { entries, problems };
}

// The key constants the studio adds after the file; the engine defines them all.
export const KEY_CONSTANTS = ('vk_0 vk_1 vk_2 vk_3 vk_4 vk_5 vk_6 vk_7 vk_8 vk_9 vk_a vk_add vk_alt vk_b vk_backspace ' +
  'vk_c vk_ctrl vk_d vk_decimal vk_delete vk_divide vk_down vk_e vk_end vk_enter vk_escape vk_f vk_f1 vk_f10 vk_f11 ' +
  'vk_f12 vk_f2 vk_f3 vk_f4 vk_f5 vk_f6 vk_f7 vk_f8 vk_f9 vk_g vk_h vk_home vk_i vk_insert vk_j vk_k vk_l vk_left vk_m ' +
  'vk_multiply vk_n vk_num0 vk_num1 vk_num2 vk_num3 vk_num4 vk_num5 vk_num6 vk_num7 vk_num8 vk_num9 vk_o vk_p ' +
  'vk_pagedown vk_pageup vk_pause vk_q vk_r vk_right vk_s vk_shift vk_space vk_subtract vk_t vk_tab vk_u vk_up vk_v ' +
  'vk_w vk_x vk_y vk_z').split(' ');

const fns = (s) => s.split(/\s+/).filter(Boolean).map((w) => [w, 'Fn']);
const vars = (s) => s.split(/\s+/).filter(Boolean).map((w) => [w, 'Var']);
const consts = (s) => s.split(/\s+/).filter(Boolean).map((w) => [w, 'Cons']);

// What the games and the generated code rely on, by kind.
export const REQUIRED_WORDS = [
  ...fns(`__sprite_init__ __audio_init__ __background_init__ __font_init__ __instance_init__ __room_start__
    __handle_sprite__ on_creation_i on_destroy_i on_step_i on_end_step_i on_collision_i on_roomstart_i on_roomend_i
    on_animationend_i on_draw_i place_meeting`),
  ...vars(`pd_scenes pd_room_to_go pondarogame image`),
  ...vars(`x y xprevious yprevious xstart ystart hspeed vspeed speed direction gravity gravity_direction friction
    image_index image_speed image_number image_angle image_xscale image_yscale image_alpha sprite_index visible depth id
    object_index other`),
  ...vars(`room room_width room_height room_speed view_x view_y view_width view_height mouse_x mouse_y score lives
    health fps`),
  ...fns(`instance_create instance_destroy instance_exists instance_number instance_find instance_nearest place_free
    collision_point collision_rectangle motion_set move_towards_point move_wrap point_distance point_direction
    lengthdir_x lengthdir_y keyboard_check keyboard_check_pressed keyboard_check_released mouse_check_button
    mouse_check_button_pressed mouse_check_button_released draw_self draw_sprite draw_sprite_ext draw_background
    draw_text draw_set_font draw_set_color draw_set_alpha draw_set_halign draw_set_valign draw_rectangle draw_circle
    draw_line make_color_rgb sound_play sound_loop sound_stop sound_stop_all music_play music_stop room_goto
    room_goto_next room_goto_previous room_restart game_restart random random_range irandom irandom_range choose clamp
    show_message event_inherited`),
  ...consts(`mb_left mb_right mb_middle c_black c_white c_gray c_red c_green c_blue c_yellow c_orange c_purple c_aqua
    c_fuchsia fa_left fa_center fa_right fa_top fa_middle fa_bottom`),
  ...KEY_CONSTANTS.map((w) => [w, 'Cons']),
];
