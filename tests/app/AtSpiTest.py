"""What a screen reader hears of the main window, in Russian and in English: the date pickers by
their name and by what they set, every item of the menus by its caption with its key as the
shortcut, and the menus, the right click's pop-up menu too, named after what they hold.
    AtSpiTest.py <program folder>   (on a D-Bus session and an X server of its own)"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

BOUND = 90  # seconds; only a bound: every wait ends when its condition holds
folder = sys.argv[1]
failures = []

LANGUAGES = {
    '': {
        'pickers': list(zip(
            ['Прогноз на дату', 'Дата рождения мужчины', 'Дата рождения женщины'],
            ['Дата прогноза: панели показывают этот день, графики — его месяц и следующий'] +
            ['Дата рождения: от неё считаются знак зодиака, возраст, прожитые дни и биоритмы'] * 2)),
        'items': {'Выбрать пару...': 'Ctrl+O', 'Сохранить пару...': 'Ctrl+Shift+S',
                  'Настройки': 'Ctrl+S', 'Сохранить как': '', 'Печать...': 'Ctrl+P',
                  'Экспорт в календарь...': '', 'Language': '', 'Русский': '', 'English': '',
                  'Выход': 'Esc', 'Сегодня': 'Ctrl+T',
                  'Подробная информация о мужчине': 'Ctrl+1',
                  'Подробная информация о женщине': 'Ctrl+2', 'Справка': 'F1',
                  'О программе': ''},
        'menus': ['Файл', 'Language', 'Вид', 'Помощь', 'Настройки, Справка, О программе'],
        'menu': 'Команды программы'},
    'English': {
        'pickers': list(zip(
            ['Forecast date', "Man's date of birth", "Woman's date of birth"],
            ['Forecast date: the panels show this day, the charts its month and the next'] +
            ['Date of birth: the zodiac sign, age, days lived and biorhythms count from it'] * 2)),
        'items': {'Choose couple...': 'Ctrl+O', 'Save couple...': 'Ctrl+Shift+S',
                  'Settings': 'Ctrl+S', 'Save as': '', 'Print...': 'Ctrl+P',
                  'Export to calendar...': '', 'Language': '', 'Русский': '', 'English': '',
                  'Exit': 'Esc', 'Today': 'Ctrl+T', 'Details on the man': 'Ctrl+1',
                  'Details on the woman': 'Ctrl+2', 'Help': 'F1', 'About Orvanta': ''},
        'menus': ['File', 'Language', 'View', 'Help', 'Settings, Help, About Orvanta'],
        'menu': "The program's commands"},
}


def nodes(node):
    yield node
    for child in node:
        if child is not None:
            yield from nodes(child)


def key_of(node):
    try:
        return node.queryAction().getKeyBinding(0)
    except NotImplementedError:
        return None


def wait(condition):
    end = time.monotonic() + BOUND
    while time.monotonic() < end:
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    return None


def ready(pid):
    """The program's window once it has described itself: its menus are named."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid and app.childCount:
            menus = [n for n in nodes(app[0]) if n.getRoleName() == 'popup menu']
            if menus and all(menu.name for menu in menus):
                return app[0]
    return None


shown = []  # the pop-up menus shown, as a screen reader learns of them


def on_showing(event):
    if event.source.getRoleName() == 'popup menu' and event.detail1:
        shown.append(event.source)
        pyatspi.Registry.stop()


# Before the program starts: it asks at its start which events anyone listens to.
pyatspi.Registry.registerEventListener(on_showing, 'object:state-changed:showing')


def pop_up_menu(window):
    """The menu a right click on a chart opens."""
    chart = next(n for n in nodes(window) if n.getRoleName() == 'filler' and n.childCount == 0
                 and n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width == 580)
    area = chart.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    shown.clear()
    GLib.idle_add(lambda: pyatspi.Registry.generateMouseEvent(area.x + 100, area.y + 30, 'b3c'))
    bound = GLib.timeout_add_seconds(BOUND, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    if shown:
        GLib.source_remove(bound)
    return shown[0] if shown else None


def check(what, got, wanted):
    if got != wanted:
        failures.append(f'{language or "Russian"}: {what}:\n  got    {got!r}\n  wanted {wanted!r}')


for language, wanted in LANGUAGES.items():
    with open(os.path.join(folder, 'orvanta.ini'), 'w', encoding='utf-8') as settings:
        settings.write(f'[Settings]\nLanguage={language}\n')
    program = subprocess.Popen(
        [os.path.join(folder, 'orvanta')], cwd=folder,
        env=dict(os.environ, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1'))
    try:
        # A program that ends (no display, say) ends the wait too.
        window = wait(lambda: program.poll() is not None or ready(program.pid))
        if window in (None, True):
            failures.append(f'{language or "Russian"}: no described window, status '
                            f'{program.poll()}')
            continue
        every = list(nodes(window))
        check('date pickers', [(n.name, n.description) for n in every
                               if n.getRoleName() == 'spin button'], wanted['pickers'])
        check('menu items', {n.name: key_of(n) for n in every if n.getRoleName() == 'menu item'
                             and n.parent.getRoleName() == 'popup menu'}, wanted['items'])
        menus = [n for n in every if n.getRoleName() == 'popup menu'] + [pop_up_menu(window)]
        check('menus', [menu and menu.name for menu in menus], wanted['menus'])
        check('menu descriptions', {menu and menu.description for menu in menus},
              {wanted['menu']})
    finally:
        program.terminate()
        program.wait(BOUND)

print('\n'.join(failures) or 'AT-SPI: names, descriptions and shortcuts as a screen reader reads them')
sys.exit(1 if failures else 0)
