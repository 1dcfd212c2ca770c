"""Who runs the program, end to end: the console prompt and a typed ID, rejected
or missing IDs ending in the "Error" box with exit status 255, and a
registered account that is never asked."""

import os
import pwd
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REGISTERED_ACCOUNT = "cgstudent"


def current_user():
    return pwd.getpwuid(os.geteuid()).pw_name


class IdentityTest(harness.ProgramTestCase):
    def require_unregistered_user(self):
        if current_user() == REGISTERED_ACCOUNT:
            self.skipTest(f"the tests run as the registered account {REGISTERED_ACCOUNT!r}, "
                          "which is never asked for an ID")

    def test_typed_id_is_shown_in_the_status_line(self):
        self.require_unregistered_user()
        self.assert_status_line_shows_typed_id()

    def test_rejected_ids_end_with_the_error_box(self):
        self.require_unregistered_user()
        cases = {
            "seven characters": "1234567\n",
            "leading number 0": "jJtT0000\n",
            "negative number": "-1234567\n",
            "a space inside": "1234 5678\n",
            "empty standard input": "",
        }
        for name, typed in cases.items():
            with self.subTest(name):
                stdout = self.assert_error_box(harness.ID_MESSAGE, stdin_text=typed)
                self.assertEqual(stdout, harness.PROMPT)

    def test_closed_standard_input_ends_with_the_error_box(self):
        # Descriptor 0 closed, not merely at its end: the X connection must not
        # take its place, where the prompt would read it as the student's input.
        self.require_unregistered_user()
        self.use_wrapper('exec "$CGDEMO" "$@" <&-')
        with harness.Program(self.directory, stdin_text="") as program:
            dialog = program.wait_for_window("Error")
            standard_input = os.readlink(f"/proc/{program.process.pid}/fd/0")
            self.assertFalse(standard_input.startswith("socket:"),
                             f"standard input became {standard_input}")
            program.dismiss_dialog(dialog=dialog)
            status = program.wait_exit()
            self.assertIn(harness.ID_MESSAGE, program.stderr)
            self.assertIn(harness.PROMPT, program.stdout)
            self.assertEqual(status, harness.FATAL_STATUS, program.stderr)


class RegisteredAccountTest(harness.ProgramTestCase):
    def setUp(self):
        super().setUp()
        self.user = None
        if current_user() != REGISTERED_ACCOUNT:
            if os.geteuid() != 0:
                self.skipTest(f"needs root to create and switch to the account "
                              f"{REGISTERED_ACCOUNT!r}; run the tests as root to include it")
            self.user = REGISTERED_ACCOUNT
            try:
                pwd.getpwnam(REGISTERED_ACCOUNT)
            except KeyError:
                subprocess.run(["useradd", "--no-create-home", "--shell", "/usr/sbin/nologin",
                                REGISTERED_ACCOUNT], check=True, timeout=60)
                self.addCleanup(subprocess.run, ["userdel", REGISTERED_ACCOUNT], timeout=60)

    def test_registered_account_is_not_asked_and_page_down_restores_its_scene(self):
        # Standard input stays open: a program that asked would wait there and
        # never draw its first frame.
        with harness.Program(self.directory, stdin_text=None, user=self.user) as program:
            program.wait_for_window()
            self.assertEqual(program.stdout, "")
            registered = harness.status_band(program.screenshot())
            self.assertGreater(len(harness.red_columns(registered)), 50, "no red status line")

            program.key("period")
            program.wait_for_picture(lambda p: harness.status_band(p).rgb != registered.rgb,
                                     "the status line to show the selection")
            program.key("Next")
            program.wait_for_picture(lambda p: harness.status_band(p).rgb == registered.rgb,
                                     "Page Down to bring back the registered student's line")
            self.assert_closes_cleanly(program)
            self.assertEqual(program.stdout, "")


if __name__ == "__main__":
    unittest.main()
